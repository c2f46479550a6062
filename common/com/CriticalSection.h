// A CRITICAL_SECTION with its owner, and the scoped lock that goes with it.
#pragma once

#include <windows.h>

namespace tolv::com {

class critical_section {
public:
    critical_section() noexcept { InitializeCriticalSection(&m_section); }
    ~critical_section() { DeleteCriticalSection(&m_section); }
    critical_section(const critical_section&) = delete;
    critical_section& operator=(const critical_section&) = delete;

    void lock() noexcept { EnterCriticalSection(&m_section); }
    void unlock() noexcept { LeaveCriticalSection(&m_section); }
    bool try_lock() noexcept { return TryEnterCriticalSection(&m_section) != FALSE; }

private:
    CRITICAL_SECTION m_section;
};

class [[nodiscard]] auto_lock {
public:
    explicit auto_lock(critical_section& section) noexcept : m_section(section) { m_section.lock(); }
    ~auto_lock() { m_section.unlock(); }
    auto_lock(const auto_lock&) = delete;
    auto_lock& operator=(const auto_lock&) = delete;

private:
    critical_section& m_section;
};

}  // namespace tolv::com
