#include "CallWatchdog.h"

#include <process.h>

#include <cstdio>

using tolv::com::auto_lock;

CCallWatchdog::CCallWatchdog(DWORD limitMs) : m_limitMs(limitMs)
{
    if (FAILED(m_changed.create(false, false)) || FAILED(m_stop.create(true, false)))
        return;
    m_thread.reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ThreadMain, this, 0, nullptr)));
}

CCallWatchdog::~CCallWatchdog()
{
    if (!m_thread)
        return;
    m_stop.set();
    WaitForSingleObject(m_thread.get(), INFINITE);
}

void CCallWatchdog::Arm(const std::string& call)
{
    {
        auto_lock lock(m_lock);
        m_call = call;
        m_armedAt = GetTickCount64();
        m_armed = true;
    }
    m_changed.set();
}

void CCallWatchdog::Disarm()
{
    {
        auto_lock lock(m_lock);
        m_armed = false;
    }
    m_changed.set();
}

unsigned __stdcall CCallWatchdog::ThreadMain(void* self)
{
    static_cast<CCallWatchdog*>(self)->Watch();
    return 0;
}

void CCallWatchdog::Watch()
{
    const HANDLE events[] = {m_stop.get(), m_changed.get()};
    for (;;) {
        DWORD timeout = INFINITE;
        {
            auto_lock lock(m_lock);
            if (m_armed) {
                const ULONGLONG elapsed = GetTickCount64() - m_armedAt;
                if (elapsed >= m_limitMs) {
                    std::printf("%s: no answer within %lu s, the server hangs; the benchmark stops here\n",
                                m_call.c_str(), static_cast<unsigned long>(m_limitMs / 1000));
                    std::fflush(stdout);
                    // The benchmark's own process only: its main thread is stuck inside the call.
                    TerminateProcess(GetCurrentProcess(), 2);
                }
                timeout = static_cast<DWORD>(m_limitMs - elapsed);
            }
        }
        if (WaitForMultipleObjects(2, events, FALSE, timeout) == WAIT_OBJECT_0)
            return;
    }
}
