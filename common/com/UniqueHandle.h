// Owners of kernel handles: unique_handle, the event and semaphore built on it, and the
// search handle of FindFirstFile, which FindClose ends rather than CloseHandle.
#pragma once

#include <windows.h>

#include "com/HResult.h"

namespace tolv::com {

// Both null and INVALID_HANDLE_VALUE count as "no handle", since Win32 uses either for failure.
class unique_handle {
public:
    unique_handle() noexcept = default;
    explicit unique_handle(HANDLE handle) noexcept : m_handle(handle) {}
    ~unique_handle() { reset(); }

    unique_handle(unique_handle&& other) noexcept : m_handle(other.release()) {}
    unique_handle& operator=(unique_handle&& other) noexcept
    {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    unique_handle(const unique_handle&) = delete;
    unique_handle& operator=(const unique_handle&) = delete;

    static bool is_valid(HANDLE handle) noexcept { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

    HANDLE get() const noexcept { return m_handle; }
    bool valid() const noexcept { return is_valid(m_handle); }
    explicit operator bool() const noexcept { return valid(); }
    HANDLE* put() noexcept
    {
        reset();
        return &m_handle;
    }
    HANDLE release() noexcept
    {
        HANDLE handle = m_handle;
        m_handle = nullptr;
        return handle;
    }
    void reset(HANDLE handle = nullptr) noexcept
    {
        if (is_valid(m_handle) && m_handle != handle) {
            CloseHandle(m_handle);
        }
        m_handle = handle;
    }

private:
    HANDLE m_handle = nullptr;
};

class unique_find_handle {
public:
    unique_find_handle() noexcept = default;
    explicit unique_find_handle(HANDLE handle) noexcept : m_handle(handle) {}
    ~unique_find_handle() { reset(); }

    unique_find_handle(unique_find_handle&& other) noexcept : m_handle(other.release()) {}
    unique_find_handle& operator=(unique_find_handle&& other) noexcept
    {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    unique_find_handle(const unique_find_handle&) = delete;
    unique_find_handle& operator=(const unique_find_handle&) = delete;

    HANDLE get() const noexcept { return m_handle; }
    // FindFirstFile fails with INVALID_HANDLE_VALUE, never with null.
    bool valid() const noexcept { return m_handle != INVALID_HANDLE_VALUE; }
    explicit operator bool() const noexcept { return valid(); }
    HANDLE release() noexcept
    {
        HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return handle;
    }
    void reset(HANDLE handle = INVALID_HANDLE_VALUE) noexcept
    {
        if (valid() && m_handle != handle) {
            FindClose(m_handle);
        }
        m_handle = handle;
    }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

class unique_event {
public:
    unique_event() noexcept = default;

    HRESULT create(bool manualReset, bool initialState, const wchar_t* name = nullptr) noexcept
    {
        HANDLE handle = CreateEventW(nullptr, manualReset, initialState, name);
        RETURN_LAST_ERROR_IF(handle == nullptr);
        m_handle.reset(handle);
        return S_OK;
    }

    HANDLE get() const noexcept { return m_handle.get(); }
    bool valid() const noexcept { return m_handle.valid(); }
    void close() noexcept { m_handle.reset(); }
    bool set() noexcept { return SetEvent(m_handle.get()) != FALSE; }
    bool reset() noexcept { return ResetEvent(m_handle.get()) != FALSE; }
    // True when the event was signalled within the time-out.
    bool wait(DWORD milliseconds = INFINITE) const noexcept
    {
        return WaitForSingleObject(m_handle.get(), milliseconds) == WAIT_OBJECT_0;
    }
    bool is_signaled() const noexcept { return wait(0); }

private:
    unique_handle m_handle;
};

class unique_semaphore {
public:
    unique_semaphore() noexcept = default;

    HRESULT create(LONG initialCount, LONG maximumCount, const wchar_t* name = nullptr) noexcept
    {
        HANDLE handle = CreateSemaphoreW(nullptr, initialCount, maximumCount, name);
        RETURN_LAST_ERROR_IF(handle == nullptr);
        m_handle.reset(handle);
        return S_OK;
    }

    HANDLE get() const noexcept { return m_handle.get(); }
    bool valid() const noexcept { return m_handle.valid(); }
    void close() noexcept { m_handle.reset(); }
    // False when the count would pass the maximum; the count is then unchanged.
    bool release(LONG count = 1, LONG* previousCount = nullptr) noexcept
    {
        return ReleaseSemaphore(m_handle.get(), count, previousCount) != FALSE;
    }
    bool wait(DWORD milliseconds = INFINITE) const noexcept
    {
        return WaitForSingleObject(m_handle.get(), milliseconds) == WAIT_OBJECT_0;
    }

private:
    unique_handle m_handle;
};

}  // namespace tolv::com
