#include "KivlinkNotificationHandler.h"

#include "core/KivServerServices.h"
#include "core/KivWorker.h"
#include "core/RequestData.h"

#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("KivlinkNotificationHandler");

namespace {

constexpr char kUnit[] = "CKivlinkNotificationHandler";
constexpr tolv::trace::site kNothingToRelease{kUnit, 316};
constexpr tolv::trace::site kProgressForNobody{kUnit, 201};
constexpr tolv::trace::site kCancelForNobody{kUnit, 235};
constexpr tolv::trace::site kCompletionForNobody{kUnit, 282};
constexpr tolv::trace::site kNothingTracked{kUnit, 392};

}  // namespace

CKivlinkNotificationHandler::CKivlinkNotificationHandler(IKivServerServices& services, CKivWorker* fileWorker)
    : m_services(services),
      m_fileWorker(fileWorker),
      m_trace(fileWorker ? fileWorker->Trace() : services.GetModuleTrace())
{
}

CKivlinkNotificationHandler::~CKivlinkNotificationHandler()
{
    // Waiters that still hold their own reference keep their notification.
    tolv::com::auto_lock lock(m_lock);
    while (CKivlinkNotification* notification = CKivlinkNotification::TakeFirst(m_head))
        notification->Release();
}

HRESULT CKivlinkNotificationHandler::AddSymbianNotification(CKivlinkNotificationPtr& notification, long action,
                                                            const CKivString& name, const CRequestData& postStep)
{
    notification = nullptr;
    CKivlinkNotification* created = nullptr;
    HRESULT hr = CKivlinkNotification::Create(action, name, postStep, m_trace, &created);
    TOLV_RETURN_IF_FAILED(hr);
    // One reference for the list, one for the caller.
    notification.attach(created);
    created->AddRef();
    InterlockedIncrement(&m_registrations);
    tolv::com::auto_lock lock(m_lock);
    CKivlinkNotification::Append(m_head, created);
    return S_OK;
}

std::vector<CKivlinkNotificationPtr> CKivlinkNotificationHandler::Snapshot() const
{
    std::vector<CKivlinkNotificationPtr> all;
    tolv::com::auto_lock lock(m_lock);
    if (CKivlinkNotification* notification = m_head) {
        do {
            all.emplace_back(notification);
            notification = notification->Next();
        } while (notification != m_head);
    }
    return all;
}

CKivlinkNotificationPtr CKivlinkNotificationHandler::Find(long requestId)
{
    // Walked outside the lock: reading an id may wait for the file worker to store it.
    std::vector<CKivlinkNotificationPtr> all = Snapshot();
    if (all.empty()) {
        tolv::trace::Warning(kNothingTracked, m_trace);
        return nullptr;
    }
    CKivlinkNotificationPtr found;
    // 0 is the id of an operation whose id is not known, never one the phone reports.
    if (requestId == 0)
        return found;
    for (const CKivlinkNotificationPtr& notification : all) {
        if (notification->GetRequestId() == requestId)
            found = notification;
    }
    return found;
}

bool CKivlinkNotificationHandler::Unlink(CKivlinkNotification* notification)
{
    {
        tolv::com::auto_lock lock(m_lock);
        if (!CKivlinkNotification::Contains(m_head, notification))
            return false;
        CKivlinkNotification::Remove(m_head, notification);
    }
    notification->Release();
    return true;
}

HRESULT CKivlinkNotificationHandler::RemoveSymbianNotification(long requestId)
{
    if (m_trace)
        m_trace->Format(3, "RemoveSymbianNotification %d", static_cast<int>(requestId));
    CKivlinkNotificationPtr notification = Find(requestId);
    if (!notification || !Unlink(notification.get())) {
        tolv::trace::Warning(kNothingToRelease, m_trace);
        return E_INVALIDARG;
    }
    return S_OK;
}

HRESULT CKivlinkNotificationHandler::RemoveSymbianNotification(CKivlinkNotification* notification)
{
    if (!notification)
        return E_POINTER;
    if (m_trace)
        m_trace->Format(3, "RemoveSymbianNotification %d", static_cast<int>(notification->KnownRequestId()));
    if (!Unlink(notification)) {
        tolv::trace::Warning(kNothingToRelease, m_trace);
        return E_INVALIDARG;
    }
    return S_OK;
}

HRESULT CKivlinkNotificationHandler::Result(long requestId)
{
    CKivlinkNotificationPtr notification = Find(requestId);
    if (!notification)
        return E_INVALIDARG;
    return notification->Result();
}

HRESULT CKivlinkNotificationHandler::SignalProgress(long requestId, long progress, VARIANT_BOOL* response,
                                                    CKivWorker* source)
{
    CKivlinkNotificationPtr notification = Find(requestId);
    if (!notification) {
        // Nobody would ever see the end of an operation nobody tracks: stop it.
        if (response) {
            if (m_trace)
                m_trace->Format(3, "Progress notifications panic - cancel - last chance");
            *response = VARIANT_TRUE;
        }
        tolv::trace::Warning(kProgressForNobody, m_trace);
        return E_UNEXPECTED;
    }
    if (m_trace)
        m_trace->Format(3, "Signal progress %d", static_cast<int>(progress));
    HRESULT hr = notification->SignalProgress(progress);
    notification->SendProgressNotice(progress, source, m_services);
    if (response)
        *response = notification->IsBreakSet() ? VARIANT_TRUE : VARIANT_FALSE;
    return hr;
}

HRESULT CKivlinkNotificationHandler::Cancel(long requestId)
{
    CKivlinkNotificationPtr notification = Find(requestId);
    if (!notification) {
        tolv::trace::Warning(kCancelForNobody, m_trace);
        return E_UNEXPECTED;
    }
    notification->SetBreak();
    return S_OK;
}

HRESULT CKivlinkNotificationHandler::SignalCompletion(long requestId, HRESULT result)
{
    CKivlinkNotificationPtr notification = Find(requestId);
    if (!notification) {
        tolv::trace::Warning(kCompletionForNobody, m_trace);
        return E_UNEXPECTED;
    }
    if (m_trace)
        m_trace->Format(3, "Before Signal Completion");
    HRESULT hr = notification->SignalCompletion(result);
    if (m_trace)
        m_trace->Format(3, "Before IsSynchronous");
    if (notification->IsSynchronous())
        return hr;  // the waiting file worker runs the post steps and removes it

    return CompleteUnblocked(notification.get(), result, hr);
}

HRESULT CKivlinkNotificationHandler::CompleteUnblocked(CKivlinkNotification* notification, HRESULT result,
                                                       HRESULT signalled)
{
    if (m_trace)
        m_trace->Format(3, "Before ExecutePostStep");
    HRESULT queued = notification->ExecutePostStep(result, m_fileWorker);
    if (m_trace)
        m_trace->Format(3, "Before SendCompletionNotification");
    // The client learns of a failure of the operation itself, not only of the queuing.
    notification->SendCompletionNotification(FAILED(result) && SUCCEEDED(queued) ? result : queued, m_services);
    if (m_trace)
        m_trace->Format(3, "Before ReleaseNotification");
    Unlink(notification);
    return FAILED(queued) ? queued : signalled;
}

size_t CKivlinkNotificationHandler::EndAbandonedOperations(HRESULT result, DWORD silentForMs)
{
    size_t ended = 0;
    for (const CKivlinkNotificationPtr& notification : Snapshot()) {
        // A blocked one has its waiter, which sees the disconnect and the time-out itself; one
        // without a request id is still being started by the file worker.
        if (notification->IsSynchronous() || notification->KnownRequestId() == 0 ||
            notification->SilentForMs() < silentForMs)
            continue;
        if (m_trace)
            m_trace->Format(3, "E_STATE: operation %d ended without its completion - 0x%08X",
                            static_cast<int>(notification->KnownRequestId()), static_cast<unsigned>(result));
        notification->SignalCompletion(result);
        CompleteUnblocked(notification.get(), result, S_OK);
        ++ended;
    }
    return ended;
}

HRESULT CKivlinkNotificationHandler::HandleOperationEvent(const CRequestData& record, CKivWorker* source)
{
    auto* response = static_cast<VARIANT_BOOL*>(record.m_OutArg[OUT_BOOL]);
    switch (record.m_typ) {
    case REQ_EV_BACKUP_PROGRESS:
    case REQ_EV_RESTORE_PROGRESS:
        return SignalProgress(record.m_firstIntegerArg, record.m_thirdIntegerArg, response, source);
    case REQ_EV_FORMAT_PROGRESS:
        return SignalProgress(record.m_firstIntegerArg, record.m_thirdIntegerArg, nullptr, source);
    case REQ_EV_COPY_PROGRESS:
        return SignalProgress(record.m_firstIntegerArg, record.m_secondIntegerArg, response, source);
    case REQ_EV_BACKUP_COMPLETE:
    case REQ_EV_RESTORE_COMPLETE:
    case REQ_EV_FORMAT_COMPLETE:
    case REQ_EV_COPY_COMPLETE:
        return SignalCompletion(record.m_firstIntegerArg, static_cast<HRESULT>(record.m_secondIntegerArg));
    case REQ_CANCEL_OPERATION:
        return Cancel(record.m_firstIntegerArg);
    default:
        return S_FALSE;
    }
}

size_t CKivlinkNotificationHandler::PendingCount() const
{
    size_t count = 0;
    tolv::com::auto_lock lock(m_lock);
    if (CKivlinkNotification* notification = m_head) {
        do {
            ++count;
            notification = notification->Next();
        } while (notification != m_head);
    }
    return count;
}
