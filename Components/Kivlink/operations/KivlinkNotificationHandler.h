#pragma once
// The long operations the phone is running, matched to the phone's events by request id.
// The file worker registers an operation before it starts it, waits for it when it is
// blocked, and removes it afterwards; the notification thread hands every progress,
// completion and cancel of those operations to the handler. Both threads use the list, so
// every operation on it takes the handler's lock, and a notification found for an event
// stays alive (its own reference) until that event has been answered.
#include "KivlinkNotification.h"

#include "com/CriticalSection.h"

#include <oleauto.h>
#include <cstddef>
#include <vector>

class CKivWorker;
class CRequestData;
class CTolvTrace;
class IKivServerServices;

class CKivlinkNotificationHandler {
public:
    // fileWorker: receives the post steps of operations that were not blocked; its trace
    // takes the handler's lines (the module trace when there is no file worker).
    CKivlinkNotificationHandler(IKivServerServices& services, CKivWorker* fileWorker);
    ~CKivlinkNotificationHandler();
    CKivlinkNotificationHandler(const CKivlinkNotificationHandler&) = delete;
    CKivlinkNotificationHandler& operator=(const CKivlinkNotificationHandler&) = delete;

    // File worker, before it starts the operation. postStep: the starting request's record
    // with the post-step type set.
    HRESULT AddSymbianNotification(CKivlinkNotificationPtr& notification, long action, const CKivString& name,
                                   const CRequestData& postStep);
    HRESULT RemoveSymbianNotification(long requestId);
    // Removes exactly this one, also when its request id never became known.
    HRESULT RemoveSymbianNotification(CKivlinkNotification* notification);
    // The completion result of the operation; E_INVALIDARG for an unknown id.
    HRESULT Result(long requestId);

    // Notification thread. response: the phone's cancel question, answered VARIANT_TRUE to
    // cancel; null for events that ask nothing. source: the thread that cancels come back to.
    HRESULT SignalProgress(long requestId, long progress, VARIANT_BOOL* response, CKivWorker* source);
    HRESULT Cancel(long requestId);
    HRESULT SignalCompletion(long requestId, HRESULT result);
    // Progress, completion and cancel records (event types 53-67) as the notification thread
    // receives them; S_FALSE for the types that concern no operation (errors, questions).
    HRESULT HandleOperationEvent(const CRequestData& record, CKivWorker* source);
    // Notification thread: unblocked operations whose phone went away (silentForMs 0) or has
    // been silent that long will never complete. Each ends as if its completion had come with
    // `result`: post steps queued, client told, and so the reference it held on the client's
    // object dropped. Returns how many ended.
    size_t EndAbandonedOperations(HRESULT result, DWORD silentForMs);

    size_t PendingCount() const;
    // Operations registered so far; only the file worker registers, so it can tell whether
    // a request of its own started one.
    LONG RegistrationCount() const { return InterlockedCompareExchange(&m_registrations, 0, 0); }

private:
    // The last notification with this request id, with a reference for the caller.
    CKivlinkNotificationPtr Find(long requestId);
    std::vector<CKivlinkNotificationPtr> Snapshot() const;
    // Takes the notification off the list and drops the list's reference; false when it was
    // not on the list (any more).
    bool Unlink(CKivlinkNotification* notification);
    HRESULT CompleteUnblocked(CKivlinkNotification* notification, HRESULT result, HRESULT signalled);

    IKivServerServices& m_services;
    CKivWorker* m_fileWorker;
    CTolvTrace* m_trace;
    mutable tolv::com::critical_section m_lock;
    CKivlinkNotification* m_head = nullptr;
    mutable volatile LONG m_registrations = 0;
};
