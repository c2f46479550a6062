#pragma once
// A long-lived thread with its own queue. COM methods never touch the phone themselves: they
// post a record to the worker that serves its type and, as a rule, wait for the result.
#include "KivMessageQueue.h"
#include "KivServerServices.h"
#include "RequestData.h"

#include "com/UniqueHandle.h"
#include "trace/TraceResult.h"

#include <windows.h>

class CKivWorker {
public:
    enum State : LONG {
        STATE_CREATED = 0,
        STATE_STARTING = 1,
        STATE_INIT_FAILED = 2,
        STATE_RUNNING = 3,
        STATE_STOPPING = 4,
        STATE_ENDED_ABNORMALLY = 5,
        STATE_STOPPED = 6,
    };
    // Start's answer when the worker's thread could not be created at all.
    static constexpr HRESULT THREAD_NOT_CREATED = static_cast<HRESULT>(0x80070008);

    explicit CKivWorker(IKivServerServices& services);
    virtual ~CKivWorker();
    CKivWorker(const CKivWorker&) = delete;
    CKivWorker& operator=(const CKivWorker&) = delete;

    // Returns once the thread has finished its initialisation: 0, the thread's exit code when
    // the initialisation failed, E_UNEXPECTED when started before, or 0x80070008.
    virtual HRESULT Start();
    virtual HRESULT Stop();
    virtual HRESULT PostRequest(const CRequestData& record);
    // The request's own result is in the poster's record (m_Response); the return value is
    // that of sending and waiting.
    virtual HRESULT PostRequestAndWait(const CRequestData& record);

    int WorkerNumber() const { return m_workerNumber; }
    State GetState() const { return static_cast<State>(InterlockedCompareExchange(&m_state, 0, 0)); }
    CTolvTrace* Trace() { return &m_trace; }

protected:
    virtual HRESULT InitThread() = 0;
    virtual void ProcessRequest(CRequestData& record) = 0;
    virtual HRESULT ExitThread() = 0;
    virtual bool IsKnownRequest(long type) const = 0;
    virtual void OnRequest();
    // Work the thread does every so often, between requests, whether or not any arrive.
    virtual DWORD MaintenanceIntervalMs() const { return INFINITE; }
    virtual void OnMaintenance() {}

    // "Undefined Request-Type" for a type the dispatcher has no operation for.
    HRESULT RejectUndefinedRequest(const CRequestData& record, const tolv::trace::site& dispatcher);
    void ReportAbnormalEnd();
    IKivServerServices& Services() { return m_services; }

private:
    static unsigned __stdcall ThreadMain(void* self);
    void Run();
    void SetState(State state) { InterlockedExchange(&m_state, state); }
    // Returns a failure at once for a worker that will never run.
    HRESULT WaitUntilRunning();
    void WaitForThreadEnd(DWORD* exitCode);

    IKivServerServices& m_services;
    int m_workerNumber;
    CTolvTrace m_trace;
    CKivMessageQueue m_queue;
    tolv::com::unique_handle m_thread;
    tolv::com::unique_semaphore m_startupSemaphore;
    tolv::com::unique_semaphore m_shutdownSemaphore;
    tolv::com::unique_semaphore m_queueSemaphore;
    mutable volatile LONG m_state = STATE_CREATED;
    HRESULT m_initResult = S_OK;
};
