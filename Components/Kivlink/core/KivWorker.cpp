#include "KivWorker.h"

#include "KivComError.h"
#include "KivWait.h"
#include "WorkerBusyCounters.h"

#include <process.h>
#include <cerrno>
#include <memory>
#include <new>
#include <string>
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("KivWorker");

namespace {

constexpr tolv::trace::site kThreadNotCreated{"CKivWorker", 157};
constexpr tolv::trace::site kNothingReceived{"CKivWorker", 475};
constexpr tolv::trace::site kNotARequest{"CKivWorker", 538};

volatile LONG g_workerCounter = 0;

std::string WorkerTraceName(int workerNumber)
{
    char name[64];
    snprintf(name, sizeof(name), "Kivlink_WorkerThread%d", workerNumber);
    return name;
}

constexpr LONG QUEUE_SEMAPHORE_MAXIMUM = 20000;

}  // namespace

CKivWorker::CKivWorker(IKivServerServices& services)
    : m_services(services),
      m_workerNumber(static_cast<int>(InterlockedIncrement(&g_workerCounter))),
      m_trace(WorkerTraceName(m_workerNumber).c_str(), 3, true),
      m_queue(&m_trace)
{
    m_services.RegisterWorkerTrace(m_workerNumber, &m_trace);
}

CKivWorker::~CKivWorker()
{
    // A worker destroyed without Stop must not leave its thread running on freed members.
    if (m_thread) {
        State state = GetState();
        if (state == STATE_RUNNING || state == STATE_ENDED_ABNORMALLY || state == STATE_STOPPING) {
            if (m_shutdownSemaphore.valid())
                m_shutdownSemaphore.release();
            WaitForSingleObject(m_thread.get(), INFINITE);
        }
    }
    m_queue.Release();
    m_services.RegisterWorkerTrace(m_workerNumber, nullptr);
}

HRESULT CKivWorker::Start()
{
    if (GetState() != STATE_CREATED) {
        m_trace.Format(3, "Attempt to start a thread that has been started already");
        return E_UNEXPECTED;
    }
    SetState(STATE_STARTING);
    uintptr_t thread = 0;
    if (SUCCEEDED(m_startupSemaphore.create(0, 1)) && SUCCEEDED(m_shutdownSemaphore.create(0, 1)))
        thread = _beginthreadex(nullptr, 0, &CKivWorker::ThreadMain, this, 0, nullptr);
    if (!thread) {
        tolv::trace::Error(kThreadNotCreated, &m_trace);
        m_trace.Format(1, "_beginthreadex failed  - errno = %d", errno);
        SetState(STATE_INIT_FAILED);
        return THREAD_NOT_CREATED;
    }
    m_thread.reset(reinterpret_cast<HANDLE>(thread));

    WaitForSingleObject(m_startupSemaphore.get(), INFINITE);
    m_trace.Format(3, "Worker Thread startup returned: %d", m_workerNumber);
    if (GetState() != STATE_RUNNING) {
        m_trace.Format(3, "...but there was an error -> shutdown-thread");
        DWORD exitCode = 0;
        WaitForThreadEnd(&exitCode);
        m_trace.Format(3, "Exit WorkingThread1 finished - exit code = 0x%08X", static_cast<unsigned>(exitCode));
        return static_cast<HRESULT>(exitCode);
    }
    return S_OK;
}

void CKivWorker::WaitForThreadEnd(DWORD* exitCode)
{
    WaitForSingleObject(m_thread.get(), INFINITE);
    GetExitCodeThread(m_thread.get(), exitCode);
    // The thread has ended: nothing refers to its handle any more.
    m_thread.reset();
}

HRESULT CKivWorker::Stop()
{
    State state = GetState();
    if (state == STATE_RUNNING) {
        SetState(STATE_STOPPING);
        m_shutdownSemaphore.release();
        DWORD exitCode = 0;
        WaitForThreadEnd(&exitCode);
        m_trace.Format(3, "Exit WorkingThread finished - exit code = 0x%08X", static_cast<unsigned>(exitCode));
        SetState(STATE_STOPPED);
    } else if (state == STATE_ENDED_ABNORMALLY) {
        // Its loop still runs: end the thread before its semaphores go.
        m_shutdownSemaphore.release();
        DWORD exitCode = 0;
        WaitForThreadEnd(&exitCode);
        m_trace.Format(3, "that finished abnormal.");
        SetState(STATE_STOPPED);
    } else {
        m_trace.Format(3, "Attempt to stop a thread that is not running. Status is %d.", static_cast<int>(state));
    }
    if (GetState() == STATE_STOPPED) {
        m_startupSemaphore.close();
        m_shutdownSemaphore.close();
        m_queue.Release();
    }
    return S_OK;
}

unsigned __stdcall CKivWorker::ThreadMain(void* self)
{
    CKivWorker* worker = static_cast<CKivWorker*>(self);
    worker->Run();
    return static_cast<unsigned>(worker->m_initResult);
}

void CKivWorker::Run()
{
    // The failure path's lines of this thread go to the worker's own trace.
    const tolv::trace::thread_trace_scope traceScope(&m_trace);
    m_initResult = InitThread();
    bool running = false;
    if (FAILED(m_initResult)) {
        SetState(STATE_INIT_FAILED);
        m_trace.Format(1, "Run can not start - initialization failed - 0x%08X ", static_cast<unsigned>(m_initResult));
    } else {
        HRESULT created = m_queueSemaphore.create(0, QUEUE_SEMAPHORE_MAXIMUM);
        if (SUCCEEDED(created)) {
            m_queue.SetSemaphore(m_queueSemaphore.get());
            SetState(STATE_RUNNING);
            m_trace.Format(3, "Run started ... ");
            running = true;
        } else {
            m_initResult = created;
            SetState(STATE_INIT_FAILED);
            m_trace.Format(1, "Run can not start - initialization failed - 0x%08X ",
                           static_cast<unsigned>(m_initResult));
        }
    }
    m_startupSemaphore.release();

    if (running) {
        HANDLE handles[] = {m_shutdownSemaphore.get(), m_queueSemaphore.get()};
        const DWORD interval = MaintenanceIntervalMs();
        DWORD lastMaintenance = GetTickCount();
        for (;;) {
            MSG message;
            if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
                continue;
            }
            DWORD timeout = INFINITE;
            if (interval != INFINITE) {
                if (GetTickCount() - lastMaintenance >= interval) {
                    OnMaintenance();
                    lastMaintenance = GetTickCount();
                }
                timeout = interval - (GetTickCount() - lastMaintenance);
                if (timeout > interval)
                    timeout = 0;
            }
            // Window messages also end the wait: a single-threaded apartment worker must
            // keep answering COM while its queue is idle.
            DWORD result = MsgWaitForMultipleObjects(2, handles, FALSE, timeout, QS_ALLINPUT);
            if (result == WAIT_TIMEOUT)
                continue;
            if (result == WAIT_OBJECT_0) {
                SetState(STATE_STOPPING);
                m_trace.Format(3, "Run: shutdown signal - end thread");
                break;
            }
            if (result == WAIT_OBJECT_0 + 1)
                OnRequest();
            else if (result != WAIT_OBJECT_0 + 2)
                m_trace.Format(3, "Run get unexpected event %d", static_cast<int>(result));
        }
        m_trace.Format(3, "leave dispatch loop now ...");
        // Nothing can be signalled any more: later sends fail instead of counting on a
        // semaphore that is gone.
        m_queue.Release();
        m_queue.SetSemaphore(nullptr);
        m_queueSemaphore.close();
        ExitThread();
    }
    m_services.GetModuleTrace()->Format(1, "Thread %d exit with error code 0x%08X", m_workerNumber,
                                        static_cast<unsigned>(m_initResult));
}

HRESULT CKivWorker::WaitUntilRunning()
{
    for (;;) {
        State state = GetState();
        if (state >= STATE_RUNNING)
            return S_OK;
        if (state == STATE_INIT_FAILED)
            return FAILED(m_initResult) ? m_initResult : E_FAIL;
        m_trace.Format(3, "THREAD not running - Wait");
        Sleep(100);
    }
}

HRESULT CKivWorker::PostRequest(const CRequestData& record)
{
    HRESULT hr = WaitUntilRunning();
    TOLV_RETURN_IF_FAILED(hr);
    std::unique_ptr<CRequestEntry> entry(new (std::nothrow) CRequestEntry(record));
    if (!entry)
        return E_OUTOFMEMORY;
    if (!IsKnownRequest(record.m_typ)) {
        m_trace.Format(3, "Unspecified Request in PostRequest");
        m_trace.Format(3, "Unspecified Request in PostRequest : %s", record.Dump().c_str());
        return E_FAIL;
    }
    return m_queue.Send(entry);
}

HRESULT CKivWorker::PostRequestAndWait(const CRequestData& record)
{
    HRESULT hr = WaitUntilRunning();
    TOLV_RETURN_IF_FAILED(hr);
    std::unique_ptr<CRequestEntry> entry(new (std::nothrow) CRequestEntry(record));
    if (!entry)
        return E_OUTOFMEMORY;
    if (!IsKnownRequest(record.m_typ)) {
        m_trace.Format(3, "Unspecified Request in PostRequestAndWait: %s", record.Dump().c_str());
        return E_FAIL;
    }
    tolv::com::unique_event completion;
    TOLV_RETURN_IF_FAILED(completion.create(false, false));
    entry->SetCompletionEvent(completion.get());
    try {
        hr = m_queue.Send(entry);
    } catch (...) {
        m_trace.Format(1, "Unknown exception in CKivMessageQueue::Send");
        ReportAbnormalEnd();
        hr = E_ABORT;
    }
    // Not queued: nobody will set the event.
    TOLV_RETURN_IF_FAILED(hr);
    WorkerBusyCounters::Raise(m_workerNumber, &m_trace);
    try {
        hr = WaitForHandle(completion.get(), INFINITE, &m_trace);
    } catch (...) {
        m_trace.Format(1, "Unknown exception in Wait");
        ReportAbnormalEnd();
        hr = E_ABORT;
    }
    WorkerBusyCounters::Lower(m_workerNumber, &m_trace);
    return hr;
}

void CKivWorker::OnRequest()
{
    std::unique_ptr<CRequestEntry> entry;
    if (FAILED(m_queue.Receive(entry)) || !entry) {
        tolv::trace::Error(kNothingReceived, &m_trace);
        return;
    }
    if (entry->Kind() != CRequestEntry::KIND_REQUEST) {
        tolv::trace::Error(kNotARequest, &m_trace);
        return;
    }
    CRequestData* record = nullptr;
    entry->GetRecord(&record, &m_trace);
    if (!IsKnownRequest(record->m_typ)) {
        m_trace.Format(3, "Unspecified Request in OnRequest: %s", record->Dump().c_str());
    } else {
        try {
            ProcessRequest(*record);
        } catch (const CKivComError& error) {
            m_trace.Format(1, "Exception in WorkingThread %d - com exception: 0x%x", m_workerNumber,
                           static_cast<unsigned>(error.Error()));
            record->m_RetVal = E_ABORT;
            SetState(STATE_ENDED_ABNORMALLY);
            ReportAbnormalEnd();
        } catch (...) {
            record->m_RetVal = E_ABORT;
            m_trace.Format(1, "Exception in WorkingThread %d - unknown exception", m_workerNumber);
            SetState(STATE_ENDED_ABNORMALLY);
            ReportAbnormalEnd();
        }
        m_trace.Format(3, "WorkerThread%d::OnRequest finished", m_workerNumber);
    }
    if (HANDLE completion = entry->CompletionEvent()) {
        BOOL set = SetEvent(completion);
        m_trace.Format(3, "WorkerThread%d::SetProcessedEvent %d", m_workerNumber, set ? 1 : 0);
    } else {
        m_trace.Format(3, "No process event available - do nothing");
    }
}

HRESULT CKivWorker::RejectUndefinedRequest(const CRequestData& record, const tolv::trace::site& dispatcher)
{
    m_trace.Format(1, "Undefined Request-Type %d", static_cast<int>(record.m_typ));
    tolv::trace::Error(dispatcher, &m_trace);
    return E_INVALIDARG;
}

void CKivWorker::ReportAbnormalEnd()
{
    m_trace.Format(1, "Thread %d signals abnormal shutdown", m_workerNumber);
    m_services.PostToMainThread(CRequestData(REQ_ABNORMAL_SHUTDOWN));
}
