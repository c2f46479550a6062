#include "LongOperation.h"

CKivLongOperation::CKivLongOperation(CKivlinkNotificationHandler* handler, HANDLE disconnectEvent, CTolvTrace* trace)
    : m_handler(handler),
      m_disconnectEvent(disconnectEvent),
      m_trace(trace)
{
}

CKivLongOperation::~CKivLongOperation()
{
    // Started and not blocked: the tracker keeps it until the phone reports the end.
    if (!m_started)
        Unregister();
}

HRESULT CKivLongOperation::Register(long action, const CKivString& name, const CRequestData& postStep,
                                    long postStepType)
{
    if (!m_handler)
        return E_UNEXPECTED;
    CRequestData record(postStep);
    record.m_typ = postStepType;
    record.m_Response = nullptr;
    return m_handler->AddSymbianNotification(m_notification, action, name, record);
}

void CKivLongOperation::Started(long requestId)
{
    m_requestId = requestId;
    m_started = true;
    if (m_notification)
        m_notification->SetRequestId(requestId);
}

HRESULT CKivLongOperation::WaitForCompletion(HRESULT& completion, DWORD timeoutMs)
{
    completion = E_FAIL;
    if (!m_notification)
        return E_UNEXPECTED;
    HRESULT hr = m_notification->WaitProgress(timeoutMs, m_disconnectEvent);
    if (SUCCEEDED(hr))
        completion = m_notification->Result();
    return hr;
}

void CKivLongOperation::Unregister()
{
    if (m_handler && m_notification)
        m_handler->RemoveSymbianNotification(m_notification.get());
    m_notification = nullptr;
}
