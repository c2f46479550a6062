// Early-return helpers for HRESULT code, in the style of WIL's result macros.
#pragma once

#include <windows.h>

namespace tolv::com {

// A Win32 error code as an HRESULT. Never a success: a failing call that left no error code
// behind (ERROR_SUCCESS) still reports E_FAIL.
inline HRESULT HResultFromWin32Failure(DWORD error) noexcept
{
    return error == ERROR_SUCCESS ? E_FAIL : HRESULT_FROM_WIN32(error);
}

// The calling thread's last Win32 error as an HRESULT, never a success.
inline HRESULT HResultFromLastError() noexcept
{
    return HResultFromWin32Failure(GetLastError());
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
