#pragma once
// What the worker threads need from the server module. The module implements it; tests give
// workers a small stand-in so that they run without a whole server.
#include "WorkerRole.h"

#include <windows.h>

class CKivWorker;
class CKivlinkNotificationThread;
class CRequestData;
class IKivBindingRegistry;
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
    // Where bindings sign up for connects and disconnects; null when there is none.
    virtual IKivBindingRegistry* BindingRegistry() = 0;
    // The worker in that role; null when there is none (or for the main thread, which is
    // reached through PostToMainThread).
    virtual CKivWorker* Worker(KivWorkerRole role)
    {
        (void)role;
        return nullptr;
    }

protected:
    ~IKivServerServices() = default;
};
