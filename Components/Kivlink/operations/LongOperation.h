#pragma once
// What every long operation of the file worker shares: it is registered with the tracker
// before the phone starts it, learns its request id from the start call, and, when blocked,
// is waited for and taken off the tracker again. An operation that never started (the start
// call failed) is taken off by the destructor, so that nothing waits for an end that will
// not come.
#include "KivlinkNotificationHandler.h"

#include "core/KivString.h"
#include "core/RequestData.h"

#include <windows.h>

class CTolvTrace;

class CKivLongOperation {
public:
    // disconnectEvent: the binding's event that ends a blocked wait with KIV_E_BADCONNECTION.
    CKivLongOperation(CKivlinkNotificationHandler* handler, HANDLE disconnectEvent, CTolvTrace* trace);
    ~CKivLongOperation();
    CKivLongOperation(const CKivLongOperation&) = delete;
    CKivLongOperation& operator=(const CKivLongOperation&) = delete;

    // postStep: the starting request with what its post steps need added; its copy, typed
    // postStepType, is what the post steps of an unblocked operation run with. E_UNEXPECTED
    // without a tracker.
    HRESULT Register(long action, const CKivString& name, const CRequestData& postStep, long postStepType);
    // The start call answered; from here on the operation belongs to the phone.
    void Started(long requestId);

    // Blocked: waits with the inactivity time-out. Returns the wait's result; on success
    // `completion` receives the phone's completion code.
    HRESULT WaitForCompletion(HRESULT& completion, DWORD timeoutMs = KIV_PROGRESS_INACTIVITY_TIMEOUT_MS);
    // Takes the operation off the tracker (after a blocked wait, or before a failed start).
    void Unregister();

    long RequestId() const { return m_requestId; }

private:
    CKivlinkNotificationHandler* m_handler;
    HANDLE m_disconnectEvent;
    CTolvTrace* m_trace;
    CKivlinkNotificationPtr m_notification;
    bool m_started = false;
    long m_requestId = 0;
};
