#pragma once
// Stands in for the server module, so that queues and workers run without a whole server;
// keeps every record posted to the main thread.
#include "core/KivServerServices.h"
#include "core/RequestData.h"

#include "com/CriticalSection.h"
#include "trace/TolvTrace.h"

#include <vector>

class FakeServerServices : public IKivServerServices {
public:
    CTolvTrace* GetTrace(int) override { return &m_trace; }
    CTolvTrace* GetModuleTrace() override { return &m_trace; }
    void RegisterWorkerTrace(int, CTolvTrace*) override {}
    HRESULT PostToMainThread(const CRequestData& record) override
    {
        tolv::com::auto_lock lock(m_lock);
        m_posted.push_back(record);
        return S_OK;
    }
    void EnterCriticalTask() override { InterlockedIncrement(&m_critical); }
    void ExitCriticalTask() override { InterlockedDecrement(&m_critical); }
    bool IsCriticalTaskRunning() override { return InterlockedCompareExchange(&m_critical, 0, 0) > 0; }
    CKivlinkNotificationThread* NotificationThread() override { return m_notificationThread; }
    CKivWorker* Worker(KivWorkerRole role) override { return m_workers[static_cast<int>(role)]; }
    IKivBindingRegistry* BindingRegistry() override { return m_bindingRegistry; }

    void SetNotificationThread(CKivlinkNotificationThread* thread) { m_notificationThread = thread; }
    void SetBindingRegistry(IKivBindingRegistry* registry) { m_bindingRegistry = registry; }
    void SetWorker(KivWorkerRole role, CKivWorker* worker) { m_workers[static_cast<int>(role)] = worker; }

    std::vector<CRequestData> Posted()
    {
        tolv::com::auto_lock lock(m_lock);
        return m_posted;
    }
    std::vector<CRequestData> Posted(long type)
    {
        std::vector<CRequestData> matching;
        for (const CRequestData& record : Posted()) {
            if (record.m_typ == type)
                matching.push_back(record);
        }
        return matching;
    }

private:
    CTolvTrace m_trace{"KivlinkTestServices", 3, true};
    tolv::com::critical_section m_lock;
    std::vector<CRequestData> m_posted;
    volatile LONG m_critical = 0;
    CKivlinkNotificationThread* m_notificationThread = nullptr;
    IKivBindingRegistry* m_bindingRegistry = nullptr;
    CKivWorker* m_workers[static_cast<int>(KivWorkerRole::Notifications) + 1] = {};
};
