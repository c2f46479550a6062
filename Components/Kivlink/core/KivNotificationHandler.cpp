#include "KivNotificationHandler.h"

#include "KivServerServices.h"
#include "KivWorker.h"
#include "NameComparison.h"
#include "RequestTypes.h"

#include "Components/Kivlink/paths/ClientPath.h"

#include "KivlinkLib.h"

#include "com/PeerGone.h"
#include "com/UniqueBstr.h"
#include "trace/TraceResult.h"

#include <new>
#include <string>

TOLV_TRACE_UNIT("KivNotificationHandler");

namespace {

using tolv::com::auto_lock;
using SinkRing = Ring<CKivNotificationSink>;

// What is left of the hold time for a registration last changed at `stamp`.
DWORD RemainingHoldTime(const CKivNotificationSink& registration, DWORD now)
{
    const DWORD quiet = now - registration.ChangeStamp();
    return quiet >= CKivNotificationHandler::HOLD_TIME_MS ? 0 : CKivNotificationHandler::HOLD_TIME_MS - quiet;
}

size_t RingSize(const CKivNotificationSink* head)
{
    if (!head)
        return 0;
    size_t size = 0;
    const CKivNotificationSink* element = head;
    do {
        ++size;
        element = element->Next();
    } while (element != head);
    return size;
}

// Registrations taken out under the lock are released after it: the last reference to a
// client's proxy may cost a call into the client's process.
void ReleaseAll(CKivNotificationSink*& released)
{
    while (CKivNotificationSink* registration = SinkRing::TakeFirst(released))
        registration->Release();
}

HRESULT AskForNotifySink(const CKivNotificationSink& registration, tolv::com::com_ptr<IKivNotifySink>& notify)
{
    const HRESULT hr = registration.Sink().query(notify);
    if (SUCCEEDED(hr) && notify)
        return S_OK;
    tolv::trace::Failure(E_POINTER, TOLV_HERE);
    return tolv::com::IsPeerGone(hr) ? hr : E_POINTER;
}

HRESULT CallOnChange(IKivNotifySink* notify, const CKivString& path)
{
    tolv::com::unique_bstr argument(path.c_str(), path.length());
    if (!argument.get())
        return E_OUTOFMEMORY;
    return TOLV_LOG_IF_FAILED(notify->OnChange(argument.get()));
}

}  // namespace

CKivNotificationHandler::CKivNotificationHandler(IKivServerServices& services, CTolvTrace* trace)
    : m_services(services),
      m_trace(trace),
      m_thread(*this)
{
}

CKivNotificationHandler::~CKivNotificationHandler()
{
    Stop();
}

HRESULT CKivNotificationHandler::Start()
{
    return m_thread.Start();
}

HRESULT CKivNotificationHandler::Stop()
{
    {
        // From here on nothing signals the thread, whose semaphores go with it.
        auto_lock lock(m_lock);
        m_stopped = true;
    }
    m_thread.Stop();
    CKivNotificationSink* released = nullptr;
    {
        auto_lock lock(m_lock);
        while (CKivNotificationSink* registration = SinkRing::TakeFirst(m_changed))
            SinkRing::Append(released, registration);
        while (CKivNotificationSink* registration = SinkRing::TakeFirst(m_unchanged))
            SinkRing::Append(released, registration);
    }
    ReleaseAll(released);
    InterlockedExchange(&m_registrations, 0);
    return S_OK;
}

HRESULT CKivNotificationHandler::AddChangeNotification(const CKivString& path, IUnknown* sink, long* token)
{
    TOLV_RETURN_HR_IF(E_POINTER, !sink || !token);
    const long newToken = InterlockedIncrement(&m_tokens);
    CKivNotificationSink* registration = new (std::nothrow) CKivNotificationSink(newToken, sink, path);
    TOLV_RETURN_HR_IF(E_OUTOFMEMORY, !registration);
    registration->AddRef();
    {
        auto_lock lock(m_lock);
        if (m_stopped) {
            registration->Release();
            return E_ABORT;
        }
        m_trace->Format(
            3, m_unchanged ? "NOTIFICATION: Add notification sink %s" : "NOTIFICATION: First notification sink %s",
            path.Narrow().c_str());
        CKivNotificationSink::Append(m_unchanged, registration);
    }
    CountRegistrations(1);
    *token = newToken;
    return S_OK;
}

HRESULT CKivNotificationHandler::RemoveChangeNotification(long token)
{
    CKivNotificationSink* released = nullptr;
    {
        auto_lock lock(m_lock);
        m_trace->Format(3, "NOTIFICATION: Remove notification sink %d", static_cast<int>(token));
        CKivNotificationSink* registration = FindByToken(token);
        TOLV_RETURN_HR_IF(E_INVALIDARG, !registration);
        Unregister(registration);
        SinkRing::Append(released, registration);
    }
    ReleaseAll(released);
    return S_OK;
}

HRESULT CKivNotificationHandler::BroadcastChangeNotification(const CKivString& path)
{
    if (std::wstring_view(path.c_str(), path.length()) == INVALIDATE_CACHE_CHANGE)
        PostInvalidateAll();
    m_trace->Format(3, "Broadcast to %s", path.Narrow().c_str());
    HRESULT result = S_OK;
    CKivNotificationSink* released = nullptr;
    {
        // Under the lock throughout: a sink that calls back into these methods from its
        // OnChange must not wait for them.
        auto_lock lock(m_lock);
        long last = 0;
        while (CKivNotificationSink* registration = NextByToken(last)) {
            last = registration->GetToken();
            m_trace->Format(3, "pCnMin->GetToken =  %d", static_cast<int>(last));
            // A sink of this process may remove itself from inside its call.
            registration->AddRef();
            tolv::com::com_ptr<IKivNotifySink> notify;
            HRESULT hr = AskForNotifySink(*registration, notify);
            if (FAILED(hr))
                result = E_POINTER;
            else
                hr = CallOnChange(notify.get(), path);
            if (tolv::com::IsPeerGone(hr) && registration->IsMember()) {
                m_trace->Format(3, "NOTIFICATION: client of sink %d has gone - sink dropped", static_cast<int>(last));
                Unregister(registration);
                SinkRing::Append(released, registration);
            }
            registration->Release();
        }
    }
    ReleaseAll(released);
    return result;
}

HRESULT CKivNotificationHandler::OnFolderChanged(const CKivString& phoneFolder, bool everything)
{
    std::wstring clientPath;
    TOLV_RETURN_IF_FAILED(ToClientPath(phoneFolder.c_str(), clientPath));
    m_trace->Format(3, "NOTIFICATION: directory %s changed - notification",
                    CKivString(clientPath.c_str()).Narrow().c_str());
    const auto concerned = [&](const CKivNotificationSink& registration) {
        const CKivString& path = registration.GetName();
        return everything || EqualOrdinalIgnoringCase(std::wstring_view(path.c_str(), path.length()), clientPath);
    };

    auto_lock lock(m_lock);
    const DWORD now = GetTickCount();
    // Walks count the elements first: a registration moved to the end is not met again.
    const size_t changedCount = RingSize(m_changed);
    CKivNotificationSink* element = m_changed;
    for (size_t i = 0; i < changedCount; ++i) {
        CKivNotificationSink* next = element->Next();
        if (concerned(*element)) {
            element->SetChangeStamp(now);
            if (changedCount > 1) {
                m_trace->Format(3, "NOTIFICATION: OnChange: decrease priority of %s in changed list",
                                element->GetName().Narrow().c_str());
                CKivNotificationSink::Remove(m_changed, element);
                CKivNotificationSink::Append(m_changed, element);
            }
        }
        element = next;
    }

    const bool wasQuiet = m_changed == nullptr;
    const size_t unchangedCount = RingSize(m_unchanged);
    element = m_unchanged;
    for (size_t i = 0; i < unchangedCount; ++i) {
        CKivNotificationSink* next = element->Next();
        if (concerned(*element)) {
            element->SetChangeStamp(now);
            m_trace->Format(3, "NOTIFICATION: OnChange: move unchanged item %s to changed list",
                            element->GetName().Narrow().c_str());
            CKivNotificationSink::Remove(m_unchanged, element);
            CKivNotificationSink::Append(m_changed, element);
        }
        element = next;
    }
    if (wasQuiet && m_changed && !m_stopped) {
        m_trace->Format(3, "NOTIFICATION: OnChange: Signal active sink");
        m_thread.SignalActive();
    }
    return S_OK;
}

HRESULT CKivNotificationHandler::NotifySink()
{
    CTolvTrace* trace = m_thread.Trace();
    trace->Format(3, "NOTIFICATION: NotifySink: start monitoring");
    DWORD wait = 0;
    {
        auto_lock lock(m_lock);
        if (m_changed)
            wait = RemainingHoldTime(*m_changed, GetTickCount());
    }
    if (wait > 0) {
        trace->Format(3, "NOTIFICATION: NotifySink: Sleep %d ms ", static_cast<int>(wait));
        if (!m_thread.Hold(wait))
            return E_ABORT;
    }

    CKivNotificationSink* due = nullptr;
    {
        auto_lock lock(m_lock);
        // The head may have changed again during the sleep, or been removed: whatever heads
        // the ring now waits for its own quiet time, in the next step.
        if (!m_changed || RemainingHoldTime(*m_changed, GetTickCount()) > 0)
            return S_OK;
        due = SinkRing::TakeFirst(m_changed);
        if (!m_changed)
            trace->Format(3, "NOTIFICATION: NotifySink: no more changed pathes");
        CKivNotificationSink::Append(m_unchanged, due);
        // Kept alive through the call, even if it is removed meanwhile.
        due->AddRef();
    }

    tolv::com::com_ptr<IKivNotifySink> notify;
    HRESULT hr = AskForNotifySink(*due, notify);
    if (SUCCEEDED(hr)) {
        trace->Format(3, "NOTIFICATION: NotifySink: Call OnChange for %s ", due->GetName().Narrow().c_str());
        hr = CallOnChange(notify.get(), due->GetName());
    }
    notify.reset();
    if (tolv::com::IsPeerGone(hr)) {
        CKivNotificationSink* released = nullptr;
        {
            auto_lock lock(m_lock);
            if (due->IsMember()) {
                trace->Format(3, "NOTIFICATION: client of sink %d has gone - sink dropped",
                              static_cast<int>(due->GetToken()));
                Unregister(due);
                SinkRing::Append(released, due);
            }
        }
        ReleaseAll(released);
    }
    due->Release();
    // A client's failure is its own: only a stop ends the thread.
    return S_OK;
}

bool CKivNotificationHandler::HasWaitingChanges()
{
    auto_lock lock(m_lock);
    return m_changed != nullptr;
}

CKivNotificationSink* CKivNotificationHandler::NextByToken(long after) const
{
    CKivNotificationSink* next = nullptr;
    for (CKivNotificationSink* head : {m_changed, m_unchanged}) {
        if (!head)
            continue;
        CKivNotificationSink* element = head;
        do {
            if (element->GetToken() > after && (!next || element->GetToken() < next->GetToken()))
                next = element;
            element = element->Next();
        } while (element != head);
    }
    return next;
}

CKivNotificationSink* CKivNotificationHandler::FindByToken(long token) const
{
    for (CKivNotificationSink* head : {m_unchanged, m_changed}) {
        if (!head)
            continue;
        CKivNotificationSink* element = head;
        do {
            if (element->GetToken() == token)
                return element;
            element = element->Next();
        } while (element != head);
    }
    return nullptr;
}

void CKivNotificationHandler::Unregister(CKivNotificationSink* registration)
{
    if (SinkRing::Contains(m_unchanged, registration)) {
        m_trace->Format(3, "NOTIFICATION: RemoveNotification: item %s in unchanged list will be removed ...",
                        registration->GetName().Narrow().c_str());
        SinkRing::Remove(m_unchanged, registration);
    } else {
        m_trace->Format(3, "NOTIFICATION: RemoveNotification: item %s in changed list will be removed",
                        registration->GetName().Narrow().c_str());
        SinkRing::Remove(m_changed, registration);
    }
    CountRegistrations(-1);
}

void CKivNotificationHandler::CountRegistrations(LONG change)
{
    const LONG count = InterlockedExchangeAdd(&m_registrations, change) + change;
    m_trace->Format(1, "CKivNotificationHandler-LockCounter %d", static_cast<int>(count));
}

void CKivNotificationHandler::PostInvalidateAll()
{
    for (KivWorkerRole role : {KivWorkerRole::File, KivWorkerRole::Listing}) {
        if (CKivWorker* worker = m_services.Worker(role)) {
            const CRequestData invalidate(REQ_INVALIDATE_ALL);
            TOLV_LOG_IF_FAILED(worker->PostRequest(invalidate));
        }
    }
}
