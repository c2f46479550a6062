#pragma once
// The server module: lock count and shutdown timing, the main thread that makes every call
// to clients, the five workers and the change-notification service.
#include "KivMessageQueue.h"
#include "KivServerServices.h"
#include "KivlinkEvents.h"

#include "errors/KivLanguage.h"

#include "com/ComPtr.h"
#include "com/CriticalSection.h"
#include "com/Module.h"
#include "com/UniqueHandle.h"
#include "trace/TolvTrace.h"

#include <objidl.h>

#include <memory>
#include <vector>

class CKivWorker;
class CKivWorkingThread;
class CKivWorkingThread2;
class CKivWorkingThread3;
class CKivWorkingThread4;
class CKivlinkNotificationThread;
class CKivNotificationHandler;

class CExeModule : public tolv::com::Module, public IKivServerServices {
public:
    static constexpr DWORD SHUTDOWN_GRACE_MS = 5000;
    // How long a quitting server waits for object creations already under way.
    static constexpr DWORD ACTIVATION_WAIT_MS = 5000;
    static constexpr LONG MAIN_QUEUE_MAXIMUM = 20000;

    explicit CExeModule(HINSTANCE instance = nullptr);
    ~CExeModule() override;

    // The running server's module.
    static CExeModule* Current();

    // Events, change-notification service, workers and the main thread. The process thread
    // given here receives the quit message when the server ends.
    HRESULT StartModule(DWORD processThreadId);
    // How the main thread is started: _beginthreadex, or a failing stand-in in tests.
    using ThreadStarter = uintptr_t (*)(unsigned(__stdcall* entry)(void*), void* argument);
    void SetThreadStarter(ThreadStarter starter) { m_startThread = starter; }
    // Waits until the main thread has stopped everything (after it posted the quit message).
    void WaitForMainThread();

    // Called on the main thread when the server is about to quit, to revoke the class
    // objects; clients that got in before it are served before the server quits.
    void SetCloseHook(void (*hook)(void* context), void* context)
    {
        m_closeHook = hook;
        m_closeHookContext = context;
    }

    LONG Lock() noexcept override;
    LONG Unlock() noexcept override;

    HRESULT PostToMainThread(const CRequestData& record) override;
    // callback (may be null): the object's receiver of progress and completion, answered
    // only while the object is attached, so that a notice never reaches a released object.
    void AttachListener(IKivlinkEventsBroadcast* listener, IKivlinkActionEventsCallback* callback = nullptr);
    void DetachListener(IKivlinkEventsBroadcast* listener, IKivlinkActionEventsCallback* callback = nullptr);

    CKivWorkingThread* Worker1() { return m_worker1.get(); }
    CKivWorkingThread2* Worker2() { return m_worker2.get(); }
    CKivWorkingThread3* Worker3() { return m_worker3.get(); }
    CKivWorkingThread4* Worker4() { return m_worker4.get(); }
    CKivlinkNotificationThread* NotificationThread() override { return m_notificationThread.get(); }
    IKivBindingRegistry* BindingRegistry() override;
    CKivWorker* Worker(KivWorkerRole role) override;
    CKivNotificationHandler* ChangeNotificationService() { return m_changeService.get(); }

    CTolvTrace* GetTrace(int workerNumber) override;
    CTolvTrace* GetModuleTrace() override { return &m_trace; }
    void RegisterWorkerTrace(int workerNumber, CTolvTrace* trace) override;

    void EnterCriticalTask() override;
    void ExitCriticalTask() override;
    bool IsCriticalTaskRunning() override;

    // Stores the current connect counter into lastSeen and reports whether it differed.
    bool CheckConnectCounter(LONG& lastSeen);

    HANDLE StopEvent() const { return m_stopEvent.get(); }

    // The suite's language, read once from the environment server (0 until it could be read).
    LANGID GetLanguage() { return m_language.Get(&m_trace); }

private:
    static unsigned __stdcall MainThreadEntry(void* self);
    void MainThread();
    void RunMainLoop();
    void RegisterMessageFilter();
    void RevokeMessageFilter();
    void HandleMainRequest(CRequestData& record);
    void OnConnect(const CRequestData& record);
    void OnDisconnect(const CRequestData& record);
    void OnProgress(const CRequestData& record);
    void OnCompletion(const CRequestData& record);
    void StopEverything();
    // The notification thread, the change-notification service and workers 1 to 4, in this
    // order; those not created or not running are passed over.
    void StopWorkers();
    static uintptr_t StartThread(unsigned(__stdcall* entry)(void*), void* argument);
    ThreadStarter m_startThread = &CExeModule::StartThread;

    CTolvTrace m_trace;
    DWORD m_processThreadId = 0;
    tolv::com::unique_event m_shutdownEvent;
    tolv::com::unique_event m_stopEvent;
    CKivMessageQueue m_mainQueue;
    tolv::com::unique_semaphore m_mainQueueSemaphore;
    LONG m_connectCounter = 0;
    // From the registry switch "KivlinkUseMessageFilter" (HKLM Software\Vostrel\Pellary, a
    // DWORD, 1 = on); off when missing.
    bool m_useMessageFilter = false;
    tolv::com::com_ptr<IMessageFilter> m_messageFilter;
    CTolvTrace* m_workerTraces[256] = {};
    CKivLanguage m_language;
    volatile LONG m_criticalTasks = 0;
    std::unique_ptr<CKivNotificationHandler> m_changeService;
    std::unique_ptr<CKivlinkNotificationThread> m_notificationThread;
    std::unique_ptr<CKivWorkingThread> m_worker1;
    std::unique_ptr<CKivWorkingThread2> m_worker2;
    std::unique_ptr<CKivWorkingThread3> m_worker3;
    std::unique_ptr<CKivWorkingThread4> m_worker4;
    // Under the module lock (the callback's own taking of it).
    std::vector<CKivlinkPin<IKivlinkEventsBroadcast>> PinListeners();
    CKivlinkPin<IKivlinkActionEventsCallback> PinAttachedCallback(IKivlinkActionEventsCallback* callback);
    // False when the server may quit now.
    bool StopTakingClients();
    void (*m_closeHook)(void*) = nullptr;
    void* m_closeHookContext = nullptr;
    std::vector<IKivlinkEventsBroadcast*> m_listeners;
    std::vector<IKivlinkActionEventsCallback*> m_callbacks;
    tolv::com::critical_section m_moduleLock;
    tolv::com::unique_handle m_mainThread;
    DWORD m_startMoment = 0;
    volatile LONG m_clientArrived = 0;
    bool m_shutdownMomentKnown = false;
    DWORD m_shutdownMoment = 0;
};
