#pragma once
// Ends the benchmark with a report when a call to a server does not come back in time: a
// server that hangs would otherwise hold the run, and every run after it, forever. Only the
// benchmark's own process ends; the hung servers are left to the Wine environment's stop.
#include "com/CriticalSection.h"
#include "com/UniqueHandle.h"

#include <windows.h>

#include <string>

class CCallWatchdog {
public:
    explicit CCallWatchdog(DWORD limitMs);
    ~CCallWatchdog();
    CCallWatchdog(const CCallWatchdog&) = delete;
    CCallWatchdog& operator=(const CCallWatchdog&) = delete;

    bool Started() const { return m_thread.valid(); }
    void Arm(const std::string& call);
    void Disarm();

private:
    static unsigned __stdcall ThreadMain(void* self);
    void Watch();

    const DWORD m_limitMs;
    tolv::com::critical_section m_lock;
    tolv::com::unique_event m_changed;
    tolv::com::unique_event m_stop;
    tolv::com::unique_handle m_thread;
    std::string m_call;
    ULONGLONG m_armedAt = 0;
    bool m_armed = false;
};

// Arms the watchdog for the life of one call or one round of calls.
class CWatchedCall {
public:
    CWatchedCall(CCallWatchdog* watchdog, const std::string& call) : m_watchdog(watchdog)
    {
        if (m_watchdog)
            m_watchdog->Arm(call);
    }
    ~CWatchedCall()
    {
        if (m_watchdog)
            m_watchdog->Disarm();
    }
    CWatchedCall(const CWatchedCall&) = delete;
    CWatchedCall& operator=(const CWatchedCall&) = delete;

private:
    CCallWatchdog* m_watchdog;
};
