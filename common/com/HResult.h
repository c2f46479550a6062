// Early-return helpers for HRESULT code, in the style of WIL's result macros.
#pragma once

#include <windows.h>

namespace tolv::com {

// The calling thread's last Win32 error as an HRESULT. Never a success: a failing call that
// left no error code behind still reports E_FAIL.
inline HRESULT HResultFromLastError() noexcept
{
    const DWORD error = GetLastError();
    if (error == ERROR_SUCCESS) {
        return E_FAIL;
    }
    return HRESULT_FROM_WIN32(error);
}

}  // namespace tolv::com

#define RETURN_IF_FAILED(expr)                                                                                         \
    do {                                                                                                               \
        const HRESULT tolv_hr_ = (expr);                                                                               \
        if (FAILED(tolv_hr_)) {                                                                                        \
            return tolv_hr_;                                                                                           \
        }                                                                                                              \
    } while (0)

#define RETURN_HR_IF(hr, cond)                                                                                         \
    do {                                                                                                               \
        if (cond) {                                                                                                    \
            return (hr);                                                                                               \
        }                                                                                                              \
    } while (0)

#define RETURN_HR_IF_NULL(hr, ptr)                                                                                     \
    do {                                                                                                               \
        if ((ptr) == nullptr) {                                                                                        \
            return (hr);                                                                                               \
        }                                                                                                              \
    } while (0)

#define RETURN_LAST_ERROR_IF(cond)                                                                                     \
    do {                                                                                                               \
        if (cond) {                                                                                                    \
            return ::tolv::com::HResultFromLastError();                                                                \
        }                                                                                                              \
    } while (0)
