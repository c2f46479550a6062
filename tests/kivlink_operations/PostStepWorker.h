#pragma once
// Plays the file worker for the post steps of operations that were not blocked: keeps every
// post-step record it is handed.
#include "core/KivWorker.h"

#include "com/CriticalSection.h"

#include <vector>

class PostStepWorker : public CKivWorker {
public:
    explicit PostStepWorker(IKivServerServices& services) : CKivWorker(services) {}
    ~PostStepWorker() override { Stop(); }

    // The post steps executed so far, once at least `count` have been (or the time is up).
    std::vector<CRequestData> Executed(size_t count, DWORD timeoutMs = 10000)
    {
        DWORD start = GetTickCount();
        for (;;) {
            {
                tolv::com::auto_lock lock(m_lock);
                if (m_executed.size() >= count || GetTickCount() - start > timeoutMs)
                    return m_executed;
            }
            Sleep(5);
        }
    }

protected:
    HRESULT InitThread() override { return S_OK; }
    HRESULT ExitThread() override { return S_OK; }
    bool IsKnownRequest(long type) const override
    {
        return type >= REQ_BACKUP_POST_STEP && type <= REQ_RESTORE_POST_STEP;
    }
    void ProcessRequest(CRequestData& record) override
    {
        tolv::com::auto_lock lock(m_lock);
        m_executed.push_back(record);
    }

private:
    tolv::com::critical_section m_lock;
    std::vector<CRequestData> m_executed;
};
