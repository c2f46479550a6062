#include "KivlinkModule.h"

#include "KivNotificationHandler.h"
#include "KivWorkingThread.h"
#include "KivWorkingThread2.h"
#include "KivWorkingThread3.h"
#include "KivWorkingThread4.h"
#include "KivlinkNotificationThread.h"

#include <process.h>
#include <algorithm>
#include <cstdint>
#include <new>

namespace {

CExeModule* g_current = nullptr;

unsigned AsNumber(const void* pointer)
{
    return static_cast<unsigned>(reinterpret_cast<uintptr_t>(pointer));
}

}  // namespace

CExeModule::CExeModule(HINSTANCE instance)
    : tolv::com::Module(instance),
      m_trace("Kivlink", 3, true),
      m_mainQueue(&m_trace)
{
    m_trace.Format(2, "#*# TESTFRAME DISABLED");
    if (!g_current)
        g_current = this;
}

CExeModule::~CExeModule()
{
    if (m_mainThread)
        WaitForSingleObject(m_mainThread.get(), INFINITE);
    if (g_current == this)
        g_current = nullptr;
}

CExeModule* CExeModule::Current()
{
    return g_current;
}

LONG CExeModule::Lock() noexcept
{
    LONG count = tolv::com::Module::Lock();
    m_trace.Format(1, "Module Lock - count = %d", static_cast<int>(count));
    if (m_shutdownEvent.valid())
        m_shutdownEvent.reset();
    return count;
}

LONG CExeModule::Unlock() noexcept
{
    LONG count = tolv::com::Module::Unlock();
    m_trace.Format(1, "Module Unlock - count = %d", static_cast<int>(count));
    if (count == 0) {
        m_trace.Format(1, "Module Unlock: Set Shutdown Event");
        if (m_shutdownEvent.valid())
            m_shutdownEvent.set();
    }
    return count;
}

HRESULT CExeModule::StartModule(DWORD processThreadId)
{
    m_processThreadId = processThreadId;
    m_useMessageFilter = false;
    if (FAILED(m_shutdownEvent.create(true, false)) || FAILED(m_stopEvent.create(true, false)))
        return E_FAIL;
    // Workers may report to the main thread before it runs: its queue can take entries now.
    if (FAILED(m_mainQueueSemaphore.create(0, MAIN_QUEUE_MAXIMUM)))
        return E_FAIL;
    m_mainQueue.SetSemaphore(m_mainQueueSemaphore.get());

    m_changeService = std::make_unique<CKivNotificationHandler>(&m_trace);
    m_changeService->Start();

    m_worker1 = std::make_unique<CKivWorkingThread>(*this);
    m_worker2 = std::make_unique<CKivWorkingThread2>(*this);
    m_worker3 = std::make_unique<CKivWorkingThread3>(*this);
    m_worker4 = std::make_unique<CKivWorkingThread4>(*this, *m_changeService);
    m_notificationThread = std::make_unique<CKivlinkNotificationThread>(*this);

    // A worker that cannot initialise (no phone library) does not keep the others from running.
    m_notificationThread->Start();
    m_worker1->Start();
    m_worker2->Start();
    m_worker3->Start();
    m_worker4->Start();

    uintptr_t thread = _beginthreadex(nullptr, 0, &CExeModule::MainThreadEntry, this, 0, nullptr);
    m_mainThread.reset(reinterpret_cast<HANDLE>(thread));
    return S_OK;
}

void CExeModule::WaitForMainThread()
{
    if (m_mainThread) {
        WaitForSingleObject(m_mainThread.get(), INFINITE);
        m_mainThread.reset();
    }
}

unsigned __stdcall CExeModule::MainThreadEntry(void* self)
{
    static_cast<CExeModule*>(self)->MainThread();
    return 0;
}

void CExeModule::MainThread()
{
    try {
        RunMainLoop();
        StopEverything();
    } catch (...) {
        m_trace.Format(1, "Exception in primary thread");
        ExitProcess(static_cast<UINT>(E_UNEXPECTED));
    }
}

void CExeModule::RunMainLoop()
{
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }

        HANDLE handles[] = {m_stopEvent.get(), m_mainQueueSemaphore.get(), m_shutdownEvent.get()};
        DWORD count = 3;
        DWORD timeout = INFINITE;
        if (m_shutdownEvent.is_signaled()) {
            // The grace period counts from the first time the server had no client at all;
            // clients that come and go later do not renew it.
            if (!m_shutdownMomentKnown) {
                m_shutdownMomentKnown = true;
                m_shutdownMoment = GetTickCount();
            }
            DWORD elapsed = GetTickCount() - m_shutdownMoment;
            if (elapsed >= SHUTDOWN_GRACE_MS) {
                if (!StopTakingClients())
                    return;
                continue;
            }
            count = 2;
            timeout = SHUTDOWN_GRACE_MS - elapsed;
        }

        DWORD result = MsgWaitForMultipleObjects(count, handles, FALSE, timeout, QS_ALLINPUT);
        if (result == WAIT_OBJECT_0)
            return;
        if (result == WAIT_OBJECT_0 + 1) {
            std::unique_ptr<CRequestEntry> entry;
            if (FAILED(m_mainQueue.Receive(entry)) || !entry)
                continue;
            if (entry->Kind() != CRequestEntry::KIND_REQUEST) {
                m_trace.Format(1, "ERROR [%s %d]", "CModule", 292);
                continue;
            }
            CRequestData* record = nullptr;
            if (SUCCEEDED(entry->GetRecord(&record, &m_trace)))
                HandleMainRequest(*record);
        } else if (result == WAIT_FAILED) {
            m_trace.Format(1, "MonitorEvents: ErrorMsg 0x%x", static_cast<unsigned>(GetLastError()));
        }
    }
}

bool CExeModule::StopTakingClients()
{
    if (IsClosedToNewClients() || !m_closeHook)
        return false;
    // A client that creates an object while the workers stop would only see failures. From
    // here on creations are refused (the client tries again and COM starts a new server);
    // the ones under way end first, so that their objects are counted below.
    if (!CloseToNewClients(ACTIVATION_WAIT_MS))
        m_trace.Format(1, "Module: object creations still running while quitting");
    m_closeHook(m_closeHookContext);
    if (GetLockCount() == 0)
        return false;
    // One came in before the door closed: serve it, then quit when it has gone.
    m_trace.Format(1, "Module: a client arrived while quitting - serve it first");
    return true;
}

void CExeModule::StopEverything()
{
    CoSuspendClassObjects();
    m_trace.Format(1, "Worker Threads finished  - quit server now.");
    m_notificationThread->Stop();
    m_changeService->Stop();
    m_worker1->Stop();
    m_worker2->Stop();
    m_worker3->Stop();
    m_worker4->Stop();
    // The stopped workers stay until the module goes: after an abnormal end, clients may still
    // be calling, and their posts must fail on a closed queue rather than on freed memory.
    m_shutdownEvent.close();
    PostThreadMessageW(m_processThreadId, WM_QUIT, 0, 0);
    m_stopEvent.close();
    m_mainQueue.Release();
    m_mainQueue.SetSemaphore(nullptr);
    m_mainQueueSemaphore.close();
}

void CExeModule::HandleMainRequest(CRequestData& record)
{
    switch (record.m_typ) {
    case REQ_ON_CONNECT:
        OnConnect(record);
        break;
    case REQ_ON_DISCONNECT:
        OnDisconnect(record);
        break;
    case REQ_ON_PROGRESS:
        OnProgress(record);
        break;
    case REQ_ON_COMPLETION:
        OnCompletion(record);
        break;
    case REQ_ABNORMAL_SHUTDOWN:
        m_trace.Format(2, "MainThread::Received request to shut down the server. Abnormal termination of any thread.");
        m_stopEvent.set();
        break;
    default:
        m_trace.Format(1, "ERROR [%s %d]", "CModule", 837);
        record.m_RetVal = E_INVALIDARG;
        break;
    }
}

void CExeModule::OnConnect(const CRequestData& record)
{
    m_trace.Format(2, "MainThread: WorkingThread::OnConnect with %s %s\n", record.m_firstStringArg.Narrow().c_str(),
                   record.m_secondStringArg.Narrow().c_str());
    tolv::com::auto_lock lock(m_moduleLock);
    ++m_connectCounter;
    if (m_listeners.empty()) {
        m_trace.Format(1, "WARNING [%s %d]", "CModule", 881);
        return;
    }
    for (IKivlinkEventsBroadcast* listener : m_listeners) {
        m_trace.Format(3, "it->Connnect: 0x%08X", AsNumber(listener));
        BSTR name = record.m_firstStringArg.Copy();
        BSTR information = record.m_secondStringArg.Copy();
        listener->Connected(name, information);
        SysFreeString(name);
        SysFreeString(information);
    }
}

void CExeModule::OnDisconnect(const CRequestData& record)
{
    m_trace.Format(2, "MainThread::OnDisconnect with %s", record.m_firstStringArg.Narrow().c_str());
    tolv::com::auto_lock lock(m_moduleLock);
    if (m_listeners.empty()) {
        m_trace.Format(1, "WARNING [%s %d]", "CModule", 920);
        return;
    }
    for (IKivlinkEventsBroadcast* listener : m_listeners) {
        m_trace.Format(3, "it->Disconnect: 0x%08X", AsNumber(listener));
        BSTR name = record.m_firstStringArg.Copy();
        listener->Disconnected(name);
        SysFreeString(name);
    }
}

void CExeModule::OnProgress(const CRequestData& record)
{
    m_trace.Format(2, "MainThread::OnProgress with %d %d", static_cast<int>(record.m_firstIntegerArg),
                   static_cast<int>(record.m_secondIntegerArg));
    // A blocked operation's progress may still be queued here after its caller returned and
    // released the object; the module lock keeps an attached object from going meanwhile.
    tolv::com::auto_lock lock(m_moduleLock);
    if (!IsAttachedCallback(record.m_Callback))
        return;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    BSTR path = record.m_firstStringArg.Copy();
    record.m_Callback->Progress(record.m_secondIntegerArg, path, record.m_thirdIntegerArg, &cancel);
    SysFreeString(path);
    if (record.m_pSource && cancel == VARIANT_TRUE) {
        CRequestData cancelRequest(REQ_CANCEL_OPERATION);
        cancelRequest.m_firstIntegerArg = record.m_firstIntegerArg;
        record.m_pSource->PostRequest(cancelRequest);
    }
}

void CExeModule::OnCompletion(const CRequestData& record)
{
    m_trace.Format(2, "MainThread::OnCompletion with %d %d", static_cast<int>(record.m_firstIntegerArg),
                   static_cast<int>(record.m_secondIntegerArg));
    tolv::com::auto_lock lock(m_moduleLock);
    if (!IsAttachedCallback(record.m_Callback))
        return;
    BSTR path = record.m_firstStringArg.Copy();
    record.m_Callback->Completion(record.m_secondIntegerArg, path, record.m_thirdIntegerArg);
    SysFreeString(path);
}

bool CExeModule::IsAttachedCallback(IKivlinkActionEventsCallback* callback) const
{
    return callback && std::find(m_callbacks.begin(), m_callbacks.end(), callback) != m_callbacks.end();
}

HRESULT CExeModule::PostToMainThread(const CRequestData& record)
{
    std::unique_ptr<CRequestEntry> entry(new (std::nothrow) CRequestEntry(record));
    if (!entry)
        return E_OUTOFMEMORY;
    return m_mainQueue.Send(entry);
}

void CExeModule::AttachListener(IKivlinkEventsBroadcast* listener, IKivlinkActionEventsCallback* callback)
{
    tolv::com::auto_lock lock(m_moduleLock);
    if (callback)
        m_callbacks.push_back(callback);
    if (m_listeners.empty())
        m_trace.Format(3, "Object attached (first one): 0x%08X", AsNumber(listener));
    else
        m_trace.Format(3, "Object attached : 0x%x", AsNumber(listener));
    m_listeners.push_back(listener);
}

void CExeModule::DetachListener(IKivlinkEventsBroadcast* listener, IKivlinkActionEventsCallback* callback)
{
    tolv::com::auto_lock lock(m_moduleLock);
    if (callback)
        m_callbacks.erase(std::remove(m_callbacks.begin(), m_callbacks.end(), callback), m_callbacks.end());
    m_trace.Format(3, "DetachSymbianEventBroadcastInterface 0x%x", AsNumber(listener));
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener), m_listeners.end());
    if (m_listeners.empty())
        m_trace.Format(3, "Object detached (last one) : 0x%08X", AsNumber(listener));
    else
        m_trace.Format(3, "Object detached : 0x%x", AsNumber(listener));
}

CKivWorker* CExeModule::WorkerAt(int place)
{
    CKivWorker* workers[] = {m_worker1.get(), m_worker2.get(), m_worker3.get(), m_worker4.get(),
                             m_notificationThread.get()};
    return place >= 1 && place <= 5 ? workers[place - 1] : nullptr;
}

CTolvTrace* CExeModule::GetTrace(int workerNumber)
{
    if (workerNumber >= 0 && workerNumber < 256 && m_workerTraces[workerNumber])
        return m_workerTraces[workerNumber];
    return &m_trace;
}

void CExeModule::RegisterWorkerTrace(int workerNumber, CTolvTrace* trace)
{
    if (workerNumber >= 0 && workerNumber < 256)
        m_workerTraces[workerNumber] = trace;
}

void CExeModule::EnterCriticalTask()
{
    InterlockedIncrement(&m_criticalTasks);
    m_trace.Format(3, "Enter critical task.");
}

void CExeModule::ExitCriticalTask()
{
    m_trace.Format(3, "Exit critical task.");
    InterlockedDecrement(&m_criticalTasks);
}

bool CExeModule::IsCriticalTaskRunning()
{
    return InterlockedCompareExchange(&m_criticalTasks, 0, 0) > 0;
}

bool CExeModule::CheckConnectCounter(LONG& lastSeen)
{
    tolv::com::auto_lock lock(m_moduleLock);
    bool differed = lastSeen != m_connectCounter;
    lastSeen = m_connectCounter;
    return differed;
}
