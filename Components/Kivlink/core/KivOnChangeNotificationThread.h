#pragma once
// The thread that makes the delayed folder-change calls to clients' sinks, so that neither
// the change-notification worker nor the file worker waits for a client.
#include "com/UniqueHandle.h"
#include "trace/TolvTrace.h"

#include <windows.h>

// What the thread runs for each signal.
class IKivChangeDelivery {
public:
    // Reports at most one waiting change; E_ABORT ends the thread.
    virtual HRESULT NotifySink() = 0;
    // Whether changes are still waiting after a step.
    virtual bool HasWaitingChanges() = 0;

protected:
    ~IKivChangeDelivery() = default;
};

class CKivOnChangeNotificationThread {
public:
    // Start's answer when the thread could not be created.
    static constexpr HRESULT THREAD_NOT_CREATED = static_cast<HRESULT>(0x80070008);

    explicit CKivOnChangeNotificationThread(IKivChangeDelivery& delivery) : m_delivery(delivery) {}
    ~CKivOnChangeNotificationThread() { Stop(); }
    CKivOnChangeNotificationThread(const CKivOnChangeNotificationThread&) = delete;
    CKivOnChangeNotificationThread& operator=(const CKivOnChangeNotificationThread&) = delete;

    // Returns once the thread runs.
    HRESULT Start();
    // Returns once the thread has ended; a thread that never started is left as it is.
    void Stop();
    // Wakes the thread for a change; one pending signal is enough, more are dropped.
    void SignalActive();
    // Waits ms milliseconds on the thread; false when a stop cut the wait short.
    bool Hold(DWORD ms);

    CTolvTrace* Trace() { return &m_trace; }

private:
    static unsigned __stdcall ThreadMain(void* self);
    void Run();
    // Until the stop.
    void ServeSignals();
    // Steps until nothing waits: a signal comes only when the first change arrives.
    HRESULT Drain();

    IKivChangeDelivery& m_delivery;
    CTolvTrace m_trace{"Kivlink_ChangeNotificationThread", 3, true};
    tolv::com::unique_semaphore m_signal;
    tolv::com::unique_semaphore m_stop;
    tolv::com::unique_semaphore m_started;
    tolv::com::unique_handle m_thread;
};
