#include "platform/phonesim/OperationRunner.h"

#include <process.h>

#include "com/ComInit.h"
#include "com/HResult.h"
#include "platform/phonesim/SimWorld.h"

namespace phonesim {

namespace {

// How long a start call waits at most for the first event of an early-event operation.
constexpr DWORD kFirstEventWaitMs = 10000;
// Completed ids remembered for GetRequestState.
constexpr size_t kCompletedKept = 4096;

}  // namespace

COperationRunner::~COperationRunner()
{
    Stop();
}

HRESULT COperationRunner::EnsureThread()
{
    if (m_thread) {
        return S_OK;
    }
    RETURN_IF_FAILED(m_work.create(false, false));
    const uintptr_t thread = _beginthreadex(nullptr, 0, &COperationRunner::ThreadMain, this, 0, nullptr);
    RETURN_HR_IF(E_OUTOFMEMORY, thread == 0);
    m_thread.reset(reinterpret_cast<HANDLE>(thread));
    return S_OK;
}

HRESULT COperationRunner::Start(const std::shared_ptr<CLongOperation>& operation, LONG& requestId)
{
    RETURN_IF_FAILED(operation->Prepare());
    const DWORD earlyEventMs = CSimWorld::Instance().Faults().TakeEarlyEvent();
    {
        tolv::com::auto_lock lock(m_lock);
        RETURN_HR_IF(E_UNEXPECTED, m_stopping);
        RETURN_IF_FAILED(EnsureThread());
        LONG id = InterlockedIncrement(&m_lastId);
        if (id <= 0) {
            InterlockedExchange(&m_lastId, 1);
            id = 1;
        }
        operation->SetRequestId(id);
        try {
            m_queue.push_back(operation);
        } catch (...) {
            return E_OUTOFMEMORY;
        }
        requestId = id;
    }
    m_work.set();
    if (earlyEventMs != 0) {
        // Until the first event is answered, or for the fault's time if a sink holds on to it
        // (one that waits for this very id, say).
        WaitForSingleObject(operation->FirstEventSent(), kFirstEventWaitMs);
        WaitForSingleObject(operation->FirstEventDone(), earlyEventMs);
    }
    operation->IdDelivered();
    return S_OK;
}

bool COperationRunner::Cancel(LONG requestId)
{
    tolv::com::auto_lock lock(m_lock);
    if (m_running && m_running->RequestId() == requestId) {
        m_running->RequestCancel();
        return true;
    }
    for (const auto& waiting : m_queue) {
        if (waiting->RequestId() == requestId) {
            waiting->RequestCancel();
            return true;
        }
    }
    return false;
}

RequestState COperationRunner::State(LONG requestId) const
{
    tolv::com::auto_lock lock(m_lock);
    if (m_running && m_running->RequestId() == requestId) {
        return requestPending;
    }
    for (const auto& waiting : m_queue) {
        if (waiting->RequestId() == requestId) {
            return requestPending;
        }
    }
    return m_completed.count(requestId) ? requestCompleted : requestUnknown;
}

unsigned __stdcall COperationRunner::ThreadMain(void* self)
{
    const tolv::com::com_init com(COINIT_MULTITHREADED);
    static_cast<COperationRunner*>(self)->Run();
    return 0;
}

void COperationRunner::Run()
{
    for (;;) {
        std::shared_ptr<CLongOperation> next;
        {
            tolv::com::auto_lock lock(m_lock);
            if (!m_queue.empty()) {
                next = m_queue.front();
                m_queue.pop_front();
                m_running = next;
            } else if (m_stopping) {
                return;
            }
        }
        if (!next) {
            m_work.wait();
            continue;
        }
        next->Execute();
        tolv::com::auto_lock lock(m_lock);
        m_running.reset();
        if (m_completed.size() >= kCompletedKept) {
            m_completed.erase(m_completed.begin());
        }
        m_completed.insert(next->RequestId());
    }
}

void COperationRunner::Stop() noexcept
{
    {
        tolv::com::auto_lock lock(m_lock);
        m_stopping = true;
        if (m_running) {
            m_running->RequestCancel();
        }
        for (const auto& waiting : m_queue) {
            waiting->RequestCancel();
        }
    }
    if (m_thread) {
        m_work.set();
        WaitForSingleObject(m_thread.get(), INFINITE);
        m_thread.reset();
    }
}

}  // namespace phonesim
