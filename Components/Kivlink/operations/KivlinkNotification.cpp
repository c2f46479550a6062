#include "KivlinkNotification.h"

#include "core/KivServerServices.h"
#include "core/KivWait.h"
#include "core/KivWorker.h"

#include "KivlinkLib.h"
#include "com/HResult.h"
#include "trace/TraceResult.h"

#include <new>

namespace {

volatile LONG g_liveNotifications = 0;

constexpr char kUnit[] = "CKivlinkNotification";
constexpr tolv::trace::site kProgressNotSignalled{kUnit, 179, 1, true};
constexpr tolv::trace::site kCompletionNotSignalled{kUnit, 225, 1, true};
constexpr tolv::trace::site kNoRequestIdInTime{kUnit, 355};
constexpr tolv::trace::site kWaitFailed{kUnit, 394, 1, true};

}  // namespace

HRESULT CKivlinkNotification::Create(long action, const CKivString& name, const CRequestData& postStep,
                                     CTolvTrace* trace, CKivlinkNotification** created)
{
    if (!created)
        return E_POINTER;
    *created = nullptr;
    CKivlinkNotification* notification = new (std::nothrow) CKivlinkNotification(action, name, postStep, trace);
    if (!notification)
        return E_OUTOFMEMORY;
    HRESULT hr = notification->CreateEvents();
    if (FAILED(hr)) {
        notification->Release();
        return hr;
    }
    *created = notification;
    return S_OK;
}

CKivlinkNotification::CKivlinkNotification(long action, const CKivString& name, const CRequestData& postStep,
                                           CTolvTrace* trace)
    : m_action(action),
      m_name(name),
      m_postStep(postStep),
      m_result(KIV_E_SCQIRESPONSETIMEOUT),
      m_trace(trace)
{
    InterlockedIncrement(&g_liveNotifications);
}

CKivlinkNotification::~CKivlinkNotification()
{
    InterlockedDecrement(&g_liveNotifications);
}

LONG CKivlinkNotification::LiveCount()
{
    return InterlockedCompareExchange(&g_liveNotifications, 0, 0);
}

HRESULT CKivlinkNotification::CreateEvents()
{
    HRESULT hr = m_idEvent.create(true, false);
    if (SUCCEEDED(hr))
        hr = m_completed.create(true, false);
    if (SUCCEEDED(hr))
        hr = m_progress.create(true, false);
    return hr;
}

ULONG CKivlinkNotification::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

ULONG CKivlinkNotification::Release()
{
    LONG references = InterlockedDecrement(&m_references);
    if (references == 0)
        delete this;
    return static_cast<ULONG>(references);
}

void CKivlinkNotification::SetRequestId(long requestId)
{
    InterlockedExchange(&m_lastSign, static_cast<LONG>(GetTickCount()));
    InterlockedExchange(&m_requestId, requestId);
    m_idEvent.set();
}

DWORD CKivlinkNotification::SilentForMs() const
{
    return GetTickCount() - static_cast<DWORD>(InterlockedCompareExchange(&m_lastSign, 0, 0));
}

long CKivlinkNotification::GetRequestId()
{
    long requestId = KnownRequestId();
    if (requestId != 0)
        return requestId;
    // The phone may report before the start call has handed the id to the file worker.
    if (!m_idEvent.wait(KIV_REQUEST_ID_WAIT_MS)) {
        tolv::trace::Error(kNoRequestIdInTime, m_trace);
        return 0;
    }
    return KnownRequestId();
}

HRESULT CKivlinkNotification::WaitProgress(DWORD timeoutMs, HANDLE disconnectEvent)
{
    HANDLE handles[3] = {};
    {
        tolv::com::auto_lock lock(m_eventsLock);
        handles[0] = m_completed.get();
        handles[1] = m_progress.get();
    }
    HRESULT hr = E_FAIL;
    if (handles[0] && handles[1]) {
        handles[2] = disconnectEvent;
        const DWORD count = disconnectEvent ? 3 : 2;
        for (;;) {
            DispatchPendingMessages();
            DWORD waited = WaitForMultipleObjects(count, handles, FALSE, timeoutMs);
            if (waited == WAIT_OBJECT_0) {
                if (m_trace)
                    m_trace->Format(3, "WaitProgress: processedSem signal");
                tolv::com::auto_lock lock(m_eventsLock);
                m_completed.close();
                m_progress.close();
                hr = S_OK;
                break;
            }
            if (waited == WAIT_OBJECT_0 + 1) {
                // Any report of progress starts the inactivity time-out anew.
                if (m_trace)
                    m_trace->Format(3, "WaitProgress: Retrigger signal");
                ResetEvent(handles[1]);
                continue;
            }
            if (waited == WAIT_OBJECT_0 + 2) {
                if (m_trace)
                    m_trace->Format(3, "WaitProgress: BadConnection signal");
                hr = KIV_E_BADCONNECTION;
                break;
            }
            if (waited == WAIT_TIMEOUT) {
                if (m_trace) {
                    m_trace->Format(3, "WaitProgress: timeout event");
                    m_trace->Format(3, "E_STATE: Wait-Timeout (%d ms) elapsed.", static_cast<int>(timeoutMs));
                }
                hr = E_FAIL;
                break;
            }
            // A handle that is not valid, such as a disconnect event already closed.
            hr = tolv::com::HResultFromLastError();
            break;
        }
    }
    if (FAILED(hr))
        tolv::trace::Failure(hr, kWaitFailed, m_trace);
    return hr;
}

HRESULT CKivlinkNotification::SignalProgress(long progress)
{
    InterlockedExchange(&m_lastSign, static_cast<LONG>(GetTickCount()));
    HRESULT hr = S_OK;
    {
        tolv::com::auto_lock lock(m_eventsLock);
        if (!m_progress.valid() || !m_progress.set())
            hr = E_FAIL;
    }
    if (FAILED(hr))
        tolv::trace::Failure(hr, kProgressNotSignalled, m_trace);

    if (progress != m_lastProgress) {
        m_repeatCount = 0;
        m_lastProgress = progress;
    } else {
        ++m_repeatCount;
    }
    if (m_repeatCount > KIV_PROGRESS_REPEAT_LIMIT) {
        // A phone that reports the same value over and over has stalled: ask it to stop.
        if (m_trace)
            m_trace->Format(3, "!!!!!!!! Break after %d calls to SignalProgress with progress %d",
                            static_cast<int>(m_repeatCount), static_cast<int>(progress));
        SetBreak();
    }
    return hr;
}

HRESULT CKivlinkNotification::SignalCompletion(HRESULT result)
{
    tolv::com::auto_lock lock(m_eventsLock);
    if (!m_completed.valid())
        return E_UNEXPECTED;
    InterlockedExchange(&m_result, result);
    if (!m_completed.set()) {
        tolv::trace::Failure(tolv::com::HResultFromLastError(), kCompletionNotSignalled, m_trace);
        return E_FAIL;
    }
    return S_OK;
}

bool CKivlinkNotification::IsSynchronous() const
{
    return m_postStep.Flags().Has(eBlocked);
}

HRESULT CKivlinkNotification::ExecutePostStep(HRESULT result, CKivWorker* fileWorker) const
{
    if (!fileWorker)
        return E_UNEXPECTED;
    CRequestData postStep(m_postStep);
    postStep.m_RetVal = result;
    // The poster of the starting request has long returned: nothing of its own may be
    // written to any more.
    postStep.m_Response = nullptr;
    for (void*& out : postStep.m_OutArg)
        out = nullptr;
    return fileWorker->PostRequest(postStep);
}

HRESULT CKivlinkNotification::SendCompletionNotification(long value, IKivServerServices& services) const
{
    return SendNotice(REQ_ON_COMPLETION, value, nullptr, services);
}

HRESULT CKivlinkNotification::SendProgressNotice(long progress, CKivWorker* source, IKivServerServices& services) const
{
    return SendNotice(REQ_ON_PROGRESS, progress, source, services);
}

HRESULT CKivlinkNotification::SendNotice(KivRequestType type, long value, CKivWorker* source,
                                         IKivServerServices& services) const
{
    // Nobody to tell: an operation no client object started.
    if (!m_postStep.m_Callback)
        return S_FALSE;
    CRequestData notice(type);
    notice.m_Callback = m_postStep.m_Callback;
    notice.m_firstIntegerArg = KnownRequestId();
    notice.m_secondIntegerArg = m_action;
    notice.m_firstStringArg = m_name;
    notice.m_thirdIntegerArg = value;
    notice.m_pSource = source;
    return services.PostToMainThread(notice);
}
