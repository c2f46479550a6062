#pragma once
// What the worker threads need from the server module. The module implements it; tests give
// workers a small stand-in so that they run without a whole server.
#include <windows.h>

class CKivWorker;
class CKivlinkNotificationThread;
class CRequestData;
class CTolvTrace;

class IKivServerServices {
public:
    // The worker's own trace when it registered one, else the module trace.
    virtual CTolvTrace* GetTrace(int workerNumber) = 0;
    virtual CTolvTrace* GetModuleTrace() = 0;
    virtual void RegisterWorkerTrace(int workerNumber, CTolvTrace* trace) = 0;
    virtual HRESULT PostToMainThread(const CRequestData& record) = 0;
    virtual void EnterCriticalTask() = 0;
    virtual void ExitCriticalTask() = 0;
    virtual bool IsCriticalTaskRunning() = 0;
    // The thread that tells bindings of connects and disconnects; null when there is none.
    virtual CKivlinkNotificationThread* NotificationThread() = 0;
    // The worker at that place of the start-up list (1 file worker, 2 phone-status worker,
    // 3 listing worker, 4 change-notification worker, 5 notification thread); null when
    // there is none.
    virtual CKivWorker* WorkerAt(int place)
    {
        (void)place;
        return nullptr;
    }

protected:
    ~IKivServerServices() = default;
};
