#include "KivlinkModule.h"

#include "KivNotificationHandler.h"
#include "KivWorkingThread.h"
#include "KivWorkingThread2.h"
#include "KivWorkingThread3.h"
#include "KivWorkingThread4.h"
#include "KivlinkNotificationThread.h"
#include "MessageFilter.h"
#include "MessageFilterSwitch.h"

#include "com/ScopeExit.h"
#include "com/UniqueBstr.h"
#include "trace/TraceResult.h"

#include <process.h>
#include <algorithm>
#include <cstdint>
#include <new>

TOLV_TRACE_UNIT("CModule");

namespace {

constexpr tolv::trace::site kUnexpectedEntryKind{"CModule", 292};
constexpr tolv::trace::site kUnknownMainRequest{"CModule", 837};
constexpr tolv::trace::site kConnectWithoutListener{"CModule", 881};
constexpr tolv::trace::site kDisconnectWithoutListener{"CModule", 920};

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
    if (!g_current) {
        g_current = this;
        tolv::trace::SetProcessTrace(&m_trace);
    }
}

CExeModule::~CExeModule()
{
    if (m_mainThread)
        WaitForSingleObject(m_mainThread.get(), INFINITE);
    if (g_current == this) {
        g_current = nullptr;
        tolv::trace::SetProcessTrace(nullptr);
    }
}

CExeModule* CExeModule::Current()
{
    return g_current;
}

LONG CExeModule::Lock() noexcept
{
    InterlockedExchange(&m_clientArrived, 1);
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
    m_useMessageFilter = MessageFilterSwitchedOn();
    if (FAILED(m_shutdownEvent.create(true, false)) || FAILED(m_stopEvent.create(true, false)))
        return E_FAIL;
    // Workers may report to the main thread before it runs: its queue can take entries now.
    TOLV_RETURN_IF_FAILED(m_mainQueueSemaphore.create(0, MAIN_QUEUE_MAXIMUM));
    m_mainQueue.SetSemaphore(m_mainQueueSemaphore.get());

    // Whatever started is stopped again when a later step fails: a server without its main
    // thread would never answer a client nor quit.
    auto undo = tolv::com::scope_exit([this] { StopWorkers(); });
    m_changeService = std::make_unique<CKivNotificationHandler>(*this, &m_trace);
    TOLV_RETURN_IF_FAILED(m_changeService->Start());

    m_worker1 = std::make_unique<CKivWorkingThread>(*this);
    m_worker2 = std::make_unique<CKivWorkingThread2>(*this);
    m_worker3 = std::make_unique<CKivWorkingThread3>(*this);
    m_worker4 = std::make_unique<CKivWorkingThread4>(*this, *m_changeService);
    m_notificationThread = std::make_unique<CKivlinkNotificationThread>(*this);

    // A worker that cannot initialise (no phone library) stays and answers every request with
    // that failure; one whose thread could not even be created fails the start.
    for (CKivWorker* worker : {static_cast<CKivWorker*>(m_notificationThread.get()),
                               static_cast<CKivWorker*>(m_worker1.get()), static_cast<CKivWorker*>(m_worker2.get()),
                               static_cast<CKivWorker*>(m_worker3.get()), static_cast<CKivWorker*>(m_worker4.get())}) {
        TOLV_RETURN_HR_IF(CKivWorker::THREAD_NOT_CREATED, worker->Start() == CKivWorker::THREAD_NOT_CREATED);
    }

    uintptr_t thread = m_startThread(&CExeModule::MainThreadEntry, this);
    TOLV_RETURN_LAST_ERROR_IF(thread == 0);
    m_mainThread.reset(reinterpret_cast<HANDLE>(thread));
    undo.release();
    return S_OK;
}

uintptr_t CExeModule::StartThread(unsigned(__stdcall* entry)(void*), void* argument)
{
    return _beginthreadex(nullptr, 0, entry, argument, 0, nullptr);
}

void CExeModule::StopWorkers()
{
    if (m_notificationThread)
        m_notificationThread->Stop();
    if (m_changeService)
        m_changeService->Stop();
    for (CKivWorker* worker : {static_cast<CKivWorker*>(m_worker1.get()), static_cast<CKivWorker*>(m_worker2.get()),
                               static_cast<CKivWorker*>(m_worker3.get()), static_cast<CKivWorker*>(m_worker4.get())}) {
        if (worker)
            worker->Stop();
    }
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
        RegisterMessageFilter();
        RunMainLoop();
        StopEverything();
        RevokeMessageFilter();
    } catch (...) {
        m_trace.Format(1, "Exception in primary thread");
        ExitProcess(static_cast<UINT>(E_UNEXPECTED));
    }
}

void CExeModule::RunMainLoop()
{
    // The class objects are registered just after this thread starts: a client COM started
    // the server for has its grace period from here, however long the workers took to start.
    m_startMoment = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }

        HANDLE handles[] = {m_stopEvent.get(), m_mainQueueSemaphore.get(), m_shutdownEvent.get()};
        DWORD count = 3;
        DWORD timeout = INFINITE;
        if (!InterlockedCompareExchange(&m_clientArrived, 0, 0)) {
            // COM started the server for a client that never came (it gave up or died): the
            // lock count never rose, so no last release will ever set the shutdown event.
            const DWORD sinceStart = GetTickCount() - m_startMoment;
            if (sinceStart >= SHUTDOWN_GRACE_MS) {
                m_trace.Format(1, "Module: no client arrived since start-up - quit server");
                if (!StopTakingClients())
                    return;
                continue;
            }
            timeout = SHUTDOWN_GRACE_MS - sinceStart;
        } else if (m_shutdownEvent.is_signaled()) {
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
                tolv::trace::Error(kUnexpectedEntryKind, &m_trace);
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

void CExeModule::RegisterMessageFilter()
{
    if (!m_useMessageFilter)
        return;
    CFilterMethodTable table;
    HRESULT hr = table.LoadFromProgramFile();
    tolv::com::com_ptr<tolv::com::InternalComObject<CMessageFilter>> filter;
    if (SUCCEEDED(hr))
        hr = tolv::com::InternalComObject<CMessageFilter>::Create(filter, std::move(table), &m_trace);
    if (SUCCEEDED(hr))
        hr = filter.query(m_messageFilter);
    // COM answers a failure for a thread outside a single-threaded apartment, as this one is.
    if (SUCCEEDED(hr))
        hr = CoRegisterMessageFilter(m_messageFilter.get(), nullptr);
    if (hr != S_OK)
        m_trace.Format(1, "CoRegisterMessageFilter failed - this error will be ignored");
}

void CExeModule::RevokeMessageFilter()
{
    if (m_useMessageFilter)
        CoRegisterMessageFilter(nullptr, nullptr);
    m_messageFilter = nullptr;
}

void CExeModule::StopEverything()
{
    CoSuspendClassObjects();
    m_trace.Format(1, "Worker Threads finished  - quit server now.");
    StopWorkers();
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
        tolv::trace::Error(kUnknownMainRequest, &m_trace);
        record.m_RetVal = E_INVALIDARG;
        break;
    }
}

// The listeners' calls reach clients, whose handlers may create or release objects (which
// attach and detach under the module lock): they are made outside it, each listener pinned
// so that it cannot go while it is called.
std::vector<CKivlinkPin<IKivlinkEventsBroadcast>> CExeModule::PinListeners()
{
    std::vector<CKivlinkPin<IKivlinkEventsBroadcast>> pinned;
    pinned.reserve(m_listeners.size());
    for (IKivlinkEventsBroadcast* listener : m_listeners) {
        if (auto pin = CKivlinkPin<IKivlinkEventsBroadcast>::Try(listener))
            pinned.push_back(std::move(pin));
    }
    return pinned;
}

CKivlinkPin<IKivlinkActionEventsCallback> CExeModule::PinAttachedCallback(IKivlinkActionEventsCallback* callback)
{
    tolv::com::auto_lock lock(m_moduleLock);
    if (!callback || std::find(m_callbacks.begin(), m_callbacks.end(), callback) == m_callbacks.end())
        return {};
    return CKivlinkPin<IKivlinkActionEventsCallback>::Try(callback);
}

void CExeModule::OnConnect(const CRequestData& record)
{
    m_trace.Format(2, "MainThread: WorkingThread::OnConnect with %s %s\n", record.m_firstStringArg.Narrow().c_str(),
                   record.m_secondStringArg.Narrow().c_str());
    std::vector<CKivlinkPin<IKivlinkEventsBroadcast>> listeners;
    {
        tolv::com::auto_lock lock(m_moduleLock);
        ++m_connectCounter;
        if (m_listeners.empty()) {
            tolv::trace::Warning(kConnectWithoutListener, &m_trace);
            return;
        }
        listeners = PinListeners();
    }
    for (const auto& listener : listeners) {
        m_trace.Format(3, "it->Connnect: 0x%08X", AsNumber(listener.get()));
        tolv::com::unique_bstr name;
        name.reset(record.m_firstStringArg.Copy());
        tolv::com::unique_bstr information;
        information.reset(record.m_secondStringArg.Copy());
        listener->Connected(name.get(), information.get());
    }
}

void CExeModule::OnDisconnect(const CRequestData& record)
{
    m_trace.Format(2, "MainThread::OnDisconnect with %s", record.m_firstStringArg.Narrow().c_str());
    std::vector<CKivlinkPin<IKivlinkEventsBroadcast>> listeners;
    {
        tolv::com::auto_lock lock(m_moduleLock);
        if (m_listeners.empty()) {
            tolv::trace::Warning(kDisconnectWithoutListener, &m_trace);
            return;
        }
        listeners = PinListeners();
    }
    for (const auto& listener : listeners) {
        m_trace.Format(3, "it->Disconnect: 0x%08X", AsNumber(listener.get()));
        tolv::com::unique_bstr name;
        name.reset(record.m_firstStringArg.Copy());
        listener->Disconnected(name.get());
    }
}

void CExeModule::OnProgress(const CRequestData& record)
{
    m_trace.Format(2, "MainThread::OnProgress with %d %d", static_cast<int>(record.m_firstIntegerArg),
                   static_cast<int>(record.m_secondIntegerArg));
    // A blocked operation's progress may still be queued here after its caller returned and
    // released the object: only an object still attached is called.
    const auto callback = PinAttachedCallback(record.m_Callback);
    if (!callback)
        return;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    tolv::com::unique_bstr path;
    path.reset(record.m_firstStringArg.Copy());
    callback->Progress(record.m_secondIntegerArg, path.get(), record.m_thirdIntegerArg, &cancel);
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
    const auto callback = PinAttachedCallback(record.m_Callback);
    if (!callback)
        return;
    tolv::com::unique_bstr path;
    path.reset(record.m_firstStringArg.Copy());
    callback->Completion(record.m_secondIntegerArg, path.get(), record.m_thirdIntegerArg);
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

CKivWorker* CExeModule::Worker(KivWorkerRole role)
{
    switch (role) {
    case KivWorkerRole::File:
        return m_worker1.get();
    case KivWorkerRole::PhoneStatus:
        return m_worker2.get();
    case KivWorkerRole::Listing:
        return m_worker3.get();
    case KivWorkerRole::ChangeNotification:
        return m_worker4.get();
    case KivWorkerRole::Notifications:
        return m_notificationThread.get();
    case KivWorkerRole::Main:
        break;
    }
    return nullptr;
}

IKivBindingRegistry* CExeModule::BindingRegistry()
{
    return m_notificationThread.get();
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
