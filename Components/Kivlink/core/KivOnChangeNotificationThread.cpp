#include "KivOnChangeNotificationThread.h"

#include "com/ComInit.h"
#include "trace/TraceResult.h"

#include <process.h>
#include <cerrno>

namespace {

constexpr tolv::trace::site kThreadNotCreated{"CKivOnChangeNotificationThread", 95};

// Two pending signals cover a change that arrives while the thread is finishing a drain.
constexpr LONG SIGNAL_MAXIMUM = 2;

}  // namespace

HRESULT CKivOnChangeNotificationThread::Start()
{
    if (m_thread)
        return E_UNEXPECTED;
    uintptr_t thread = 0;
    if (SUCCEEDED(m_signal.create(0, SIGNAL_MAXIMUM)) && SUCCEEDED(m_stop.create(0, 1)) &&
        SUCCEEDED(m_started.create(0, 1)))
        thread = _beginthreadex(nullptr, 0, &CKivOnChangeNotificationThread::ThreadMain, this, 0, nullptr);
    if (!thread) {
        tolv::trace::Error(kThreadNotCreated, &m_trace);
        m_trace.Format(1, "_beginthreadex failed  - errno = %d", errno);
        return THREAD_NOT_CREATED;
    }
    m_thread.reset(reinterpret_cast<HANDLE>(thread));
    m_started.wait();
    m_trace.Format(3, "Started ChangeNotification");
    return S_OK;
}

void CKivOnChangeNotificationThread::Stop()
{
    if (!m_thread)
        return;
    m_stop.release();
    WaitForSingleObject(m_thread.get(), INFINITE);
    m_thread.reset();
    m_trace.Format(3, "Exit ChangeNotificationThread finished");
    m_signal.close();
    m_stop.close();
    m_started.close();
}

void CKivOnChangeNotificationThread::SignalActive()
{
    if (m_signal.release())
        return;
    m_trace.Format(3, "CKivOnChangeNotificationThread::SignalActive() - ReleaseSemaphore = 0x%x",
                   static_cast<unsigned>(GetLastError()));
}

bool CKivOnChangeNotificationThread::Hold(DWORD ms)
{
    // A stop seen here is the thread's last: the loop ends on the step's E_ABORT.
    return !m_stop.wait(ms);
}

unsigned __stdcall CKivOnChangeNotificationThread::ThreadMain(void* self)
{
    static_cast<CKivOnChangeNotificationThread*>(self)->Run();
    return 0;
}

void CKivOnChangeNotificationThread::Run()
{
    const tolv::trace::thread_trace_scope traceScope(&m_trace);
    {
        // Clients' sinks are proxies of the process's apartment.
        const tolv::com::com_init apartment(COINIT_MULTITHREADED);
        m_trace.Format(3, "CKivOnChangeNotificationThread::Run started ... ");
        m_started.release();
        ServeSignals();
    }
    m_trace.Format(3, "CKivOnChangeNotificationThread::Run ended");
}

void CKivOnChangeNotificationThread::ServeSignals()
{
    HANDLE handles[] = {m_signal.get(), m_stop.get()};
    for (;;) {
        const DWORD result = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
        if (result == WAIT_OBJECT_0) {
            m_trace.Format(3, "NotifySink");
            if (Drain() == E_ABORT) {
                m_trace.Format(3, "NOTIFICATION: Abort Notification Thread after NotifySink");
                return;
            }
        } else if (result == WAIT_OBJECT_0 + 1) {
            m_trace.Format(3, "NOTIFICATION: Abort Notification Thread: %d - %d", 0, 1);
            return;
        } else {
            m_trace.Format(3, "CKivOnChangeNotificationThread::Run get unexpected event %d", static_cast<int>(result));
        }
    }
}

HRESULT CKivOnChangeNotificationThread::Drain()
{
    HRESULT hr = S_OK;
    do {
        hr = m_delivery.NotifySink();
    } while (hr != E_ABORT && m_delivery.HasWaitingChanges());
    return hr;
}
