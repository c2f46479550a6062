#include "KivNotificationHandler.h"

#include "RequestData.h"
#include "trace/TolvTrace.h"

HRESULT CKivNotificationHandler::Start()
{
    m_started = true;
    return S_OK;
}

HRESULT CKivNotificationHandler::Stop()
{
    m_started = false;
    return S_OK;
}

HRESULT CKivNotificationHandler::Handle(CRequestData&)
{
    // Change sinks arrive with the folder-change service; until then nothing is registered.
    return E_NOTIMPL;
}
