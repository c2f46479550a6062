#include "KivWorkingThread3.h"

#include "KivlinkNotificationThread.h"

HRESULT CKivWorkingThread3::InitThread()
{
    HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (FAILED(hr)) {
        Trace()->Format(1, "CoInitializeEx (Worker3) failed - Error: 0x%08X", static_cast<unsigned>(hr));
        return hr;
    }
    Trace()->Format(3, "Worker3 init ST interface ...");
    m_binding = std::make_unique<CSymbianConnectRT>(3, Trace());
    hr = m_binding->Init();
    if (SUCCEEDED(hr))
        if (CKivlinkNotificationThread* notifications = Services().NotificationThread())
            notifications->RegisterBinding(m_binding.get());
    Trace()->Format(3, "Worker3 init ST interface done - hr=0x%08X", static_cast<unsigned>(hr));
    if (SUCCEEDED(hr)) {
        Sleep(500);
    } else {
        m_binding.reset();
        CoUninitialize();
    }
    return hr;
}

HRESULT CKivWorkingThread3::ExitThread()
{
    if (m_binding) {
        if (CKivlinkNotificationThread* notifications = Services().NotificationThread())
            notifications->UnregisterBinding(m_binding.get());
        m_binding->Release();
        m_binding.reset();
    }
    CoUninitialize();
    return S_OK;
}

bool CKivWorkingThread3::IsKnownRequest(long type) const
{
    return type == REQ_GET_ENTRIES || type == REQ_INVALIDATE_PARENT || type == REQ_INVALIDATE_ALL;
}

void CKivWorkingThread3::ProcessRequest(CRequestData& record)
{
    HRESULT hr = m_binding->WaitForConnection(0);
    if (FAILED(hr)) {
        Trace()->Format(3, "E_STATE: No Connection\tRequest:%ld", record.m_typ);
        record.m_RetVal = hr;
        return;
    }
    switch (record.m_typ) {
    case REQ_GET_ENTRIES:
        record.m_RetVal = E_NOTIMPL;
        break;
    case REQ_INVALIDATE_PARENT:
        record.m_RetVal = m_binding->InvalidateParent(record.m_firstStringArg.c_str(), record.m_firstBooleanArg);
        break;
    case REQ_INVALIDATE_ALL:
        record.m_RetVal = m_binding->InvalidateAll();
        break;
    default:
        record.m_RetVal = RejectUndefinedRequest(record, "CKivWorkingThread3", 347);
        break;
    }
}
