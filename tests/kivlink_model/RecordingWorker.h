#pragma once
// A worker that takes every request type, keeps a copy of each record and answers the out
// arguments of event records the way the test asks.
#include "core/KivWorker.h"

#include "com/CriticalSection.h"

#include <vector>

class RecordingWorker : public CKivWorker {
public:
    explicit RecordingWorker(IKivServerServices& services)
        : CKivWorker(services),
          m_arrived(CreateEventW(nullptr, FALSE, FALSE, nullptr))
    {
    }
    ~RecordingWorker() override
    {
        Stop();
        CloseHandle(m_arrived);
    }

    std::vector<CRequestData> Records()
    {
        tolv::com::auto_lock lock(m_lock);
        return m_records;
    }
    // Waits until count records have arrived.
    bool WaitForRecords(size_t count, DWORD timeoutMs = 10000)
    {
        DWORD start = GetTickCount();
        while (Records().size() < count) {
            DWORD elapsed = GetTickCount() - start;
            if (elapsed >= timeoutMs)
                return false;
            WaitForSingleObject(m_arrived, timeoutMs - elapsed);
        }
        return true;
    }

    VARIANT_BOOL response = VARIANT_TRUE;
    long action = 1;

protected:
    HRESULT InitThread() override { return S_OK; }
    HRESULT ExitThread() override { return S_OK; }
    bool IsKnownRequest(long) const override { return true; }
    void ProcessRequest(CRequestData& record) override
    {
        if (auto* answer = static_cast<VARIANT_BOOL*>(record.m_OutArg[OUT_BOOL]))
            *answer = response;
        if (auto* chosen = static_cast<long*>(record.m_OutArg[OUT_FIRST_LONG]))
            *chosen = action;
        {
            tolv::com::auto_lock lock(m_lock);
            m_records.push_back(record);
        }
        SetEvent(m_arrived);
    }

private:
    tolv::com::critical_section m_lock;
    std::vector<CRequestData> m_records;
    HANDLE m_arrived;
};
