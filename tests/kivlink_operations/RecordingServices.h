#pragma once
// Plays the server module: keeps every record posted to the main thread.
#include "core/KivServerServices.h"
#include "core/RequestData.h"

#include "com/CriticalSection.h"
#include "trace/TolvTrace.h"

#include <vector>

class RecordingServices : public IKivServerServices {
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
    void EnterCriticalTask() override {}
    void ExitCriticalTask() override {}
    bool IsCriticalTaskRunning() override { return false; }
    CKivlinkNotificationThread* NotificationThread() override { return nullptr; }

    std::vector<CRequestData> Posted(long type)
    {
        tolv::com::auto_lock lock(m_lock);
        std::vector<CRequestData> matching;
        for (const CRequestData& record : m_posted) {
            if (record.m_typ == type)
                matching.push_back(record);
        }
        return matching;
    }

private:
    CTolvTrace m_trace{"KivlinkOperationsTest", 3, true};
    tolv::com::critical_section m_lock;
    std::vector<CRequestData> m_posted;
};
