#include "KivMessageQueue.h"

#include "KivlinkLib.h"
#include "trace/TraceResult.h"

namespace {

constexpr tolv::trace::site kNullEntrySent{"CKivMessageQueue", 159, 2};
constexpr tolv::trace::site kReceiveFromEmptyQueue{"CKivMessageQueue", 103, 2};

}  // namespace

CKivMessageQueue::~CKivMessageQueue()
{
    Release();
}

bool CKivMessageQueue::SetSemaphore(HANDLE semaphore)
{
    tolv::com::auto_lock lock(m_lock);
    bool hadOne = m_semaphore != nullptr;
    m_semaphore = semaphore;
    return hadOne;
}

bool CKivMessageQueue::IsClosed() const
{
    tolv::com::auto_lock lock(m_lock);
    return m_closed;
}

HRESULT CKivMessageQueue::Send(std::unique_ptr<CRequestEntry>& entry)
{
    if (!entry) {
        tolv::trace::Failure(E_UNEXPECTED, kNullEntrySent, m_trace);
        return E_UNEXPECTED;
    }
    // The semaphore is released under the lock too: a queue being released and its semaphore
    // closed by the owner can then never meet a sender half-way.
    tolv::com::auto_lock lock(m_lock);
    if (m_closed)
        return E_FAIL;
    CRequestEntry* queued = entry.release();
    // Strict arrival order: progress notices of one operation must reach clients in the order
    // the phone reported them.
    CRequestEntry::Append(m_head, queued);

    if (m_trace)
        m_trace->Format(8, "CKivMessageQueue: signal incoming message ...");
    LONG previous = 0;
    if (!m_semaphore || !ReleaseSemaphore(m_semaphore, 1, &previous)) {
        if (queued->CompletionEvent()) {
            CRequestEntry::Remove(m_head, queued);
            entry.reset(queued);
        }
        return KIV_E_REQUEST_PANIC;
    }
    if (m_trace)
        m_trace->Format(8, "... signal incoming message done - precount %d", static_cast<int>(previous));
    return S_OK;
}

HRESULT CKivMessageQueue::Receive(std::unique_ptr<CRequestEntry>& entry)
{
    entry.reset();
    tolv::com::auto_lock lock(m_lock);
    if (!m_head) {
        tolv::trace::Failure(E_UNEXPECTED, kReceiveFromEmptyQueue, m_trace);
        return E_UNEXPECTED;
    }
    entry.reset(CRequestEntry::TakeFirst(m_head));
    if (!m_head && m_trace)
        m_trace->Format(8, "CKivMessageQueue: queue is empty now");
    return S_OK;
}

HRESULT CKivMessageQueue::Release()
{
    tolv::com::auto_lock lock(m_lock);
    m_closed = true;
    while (CRequestEntry* entry = CRequestEntry::TakeFirst(m_head)) {
        if (HANDLE completion = entry->CompletionEvent()) {
            CRequestData* record = nullptr;
            if (SUCCEEDED(entry->GetRecord(&record, m_trace))) {
                if (m_trace)
                    m_trace->Format(2, "Message queue release- - send abort for operation %d",
                                    static_cast<int>(record->m_typ));
                record->m_RetVal = E_ABORT;
            }
            SetEvent(completion);
            if (m_trace)
                m_trace->Format(2, "Message queue release - cancel request with response");
        } else if (m_trace) {
            m_trace->Format(2, "Message queue release- - cancel signal request");
        }
        delete entry;
    }
    return S_OK;
}
