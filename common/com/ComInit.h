// Scoped COM initialisation of the calling thread.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace tolv::com {

class com_init {
public:
    explicit com_init(DWORD flags = COINIT_MULTITHREADED) noexcept : m_result(CoInitializeEx(nullptr, flags)) {}
    ~com_init()
    {
        // S_FALSE (already initialised) still has to be balanced; RPC_E_CHANGED_MODE not.
        if (SUCCEEDED(m_result)) {
            CoUninitialize();
        }
    }
    com_init(const com_init&) = delete;
    com_init& operator=(const com_init&) = delete;

    HRESULT result() const noexcept { return m_result; }
    bool succeeded() const noexcept { return SUCCEEDED(m_result); }

private:
    HRESULT m_result;
};

}  // namespace tolv::com
