#pragma once
// One long operation that the phone runs in the background (format, backup, restore, copies
// between PC and phone): the request id that matches its events, the events its starter waits
// on, the client's callback and the record of the post steps that finish it.
//
// Reference counted: the handler's list holds one reference, and every thread that works on
// the notification holds its own, so the file worker may drop an operation while the
// notification thread is still answering an event for it.
#include "RequestId.h"
#include "core/Ring.h"

#include "core/KivString.h"
#include "core/RequestData.h"

#include "com/ComPtr.h"
#include "com/CriticalSection.h"
#include "com/UniqueHandle.h"

#include <windows.h>

class CKivWorker;
class CTolvTrace;
class IKivServerServices;

// How long a blocked operation may go without progress or completion before it is given up.
constexpr DWORD KIV_PROGRESS_INACTIVITY_TIMEOUT_MS = 30000;
// How long an event waits for a request id that the start call has not answered yet.
constexpr DWORD KIV_REQUEST_ID_WAIT_MS = 500;
// Reports of an unchanged progress value beyond this many make the phone cancel.
constexpr long KIV_PROGRESS_REPEAT_LIMIT = 100;

class CKivlinkNotification : public Ring<CKivlinkNotification>, public IRequestId {
public:
    // action: a KivActionId. postStep: the starting request's record with the post-step type
    // already set; its flags and callback are those of the starting request. The new
    // notification has one reference, handed to `created`.
    static HRESULT Create(long action, const CKivString& name, const CRequestData& postStep, CTolvTrace* trace,
                          CKivlinkNotification** created);

    ULONG AddRef();
    ULONG Release();

    void SetRequestId(long requestId) override;
    long GetRequestId() override;
    // The id as far as it is known, without waiting for it.
    long KnownRequestId() const { return InterlockedCompareExchange(&m_requestId, 0, 0); }
    HRESULT WaitProgress(DWORD timeoutMs, HANDLE disconnectEvent) override;

    // Since the phone last showed it runs the operation: the start call's answer, or progress.
    DWORD SilentForMs() const;
    // Restarts the waiter's inactivity time-out and counts unchanged values.
    HRESULT SignalProgress(long progress);
    // Stores the result and ends the waiter's wait; E_UNEXPECTED once the wait has ended.
    HRESULT SignalCompletion(HRESULT result);
    // Started with eBlocked: its starter waits and runs the post steps itself.
    bool IsSynchronous() const;
    // Queues the post steps, with `result` as the operation's result, to the file worker.
    HRESULT ExecutePostStep(HRESULT result, CKivWorker* fileWorker) const;
    HRESULT SendCompletionNotification(long value, IKivServerServices& services) const;
    HRESULT SendProgressNotice(long progress, CKivWorker* source, IKivServerServices& services) const;

    // Once set, every progress answer to the phone asks it to cancel.
    void SetBreak() { InterlockedExchange(&m_break, 1); }
    bool IsBreakSet() const { return InterlockedCompareExchange(&m_break, 0, 0) != 0; }
    HRESULT Result() const { return static_cast<HRESULT>(InterlockedCompareExchange(&m_result, 0, 0)); }
    long Action() const { return m_action; }
    const CKivString& Name() const { return m_name; }
    const CRequestData& PostStep() const { return m_postStep; }

    // Notifications alive in this process, for leak checks.
    static LONG LiveCount();

private:
    CKivlinkNotification(long action, const CKivString& name, const CRequestData& postStep, CTolvTrace* trace);
    // A progress or completion notice to the client's object, through the main thread.
    HRESULT SendNotice(KivRequestType type, long value, CKivWorker* source, IKivServerServices& services) const;
    ~CKivlinkNotification() override;
    HRESULT CreateEvents();

    volatile LONG m_references = 1;
    mutable volatile LONG m_lastSign = 0;
    tolv::com::unique_event m_idEvent;
    mutable volatile LONG m_requestId = 0;
    long m_action;
    CKivString m_name;
    CRequestData m_postStep;
    mutable volatile LONG m_break = 0;
    mutable volatile LONG m_result;
    // Guards the completed and progress events: the waiter closes them once the completion
    // has arrived, while the notification thread may still report progress.
    tolv::com::critical_section m_eventsLock;
    tolv::com::unique_event m_completed;
    tolv::com::unique_event m_progress;
    // Only the notification thread reports progress.
    long m_repeatCount = 0;
    long m_lastProgress = 0;
    CTolvTrace* m_trace;
};

using CKivlinkNotificationPtr = tolv::com::com_ptr<CKivlinkNotification>;
