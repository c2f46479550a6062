#include "KivWorkingThread.h"

#include "KivlinkLib.h"
#include "KivlinkNotificationThread.h"

namespace {

bool IsCriticalTask(long type)
{
    switch (type) {
    case REQ_FORMAT:
    case REQ_GET_FILE:
    case REQ_PUT_FILE:
    case REQ_COPY_TO_PC:
    case REQ_COPY_FROM_PC:
    case REQ_BACKUP_DRIVE:
        return true;
    default:
        return false;
    }
}

bool HasFlag(const CRequestData& record, long flag)
{
    return (record.m_firstIntegerArg & flag) != 0;
}

class CriticalTaskScope {
public:
    CriticalTaskScope(IKivServerServices& services, bool active) : m_services(services), m_active(active)
    {
        if (m_active)
            m_services.EnterCriticalTask();
    }
    ~CriticalTaskScope()
    {
        if (m_active)
            m_services.ExitCriticalTask();
    }
    CriticalTaskScope(const CriticalTaskScope&) = delete;
    CriticalTaskScope& operator=(const CriticalTaskScope&) = delete;

private:
    IKivServerServices& m_services;
    bool m_active;
};

}  // namespace

HRESULT CKivWorkingThread::InitThread()
{
    HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (FAILED(hr)) {
        Trace()->Format(1, "CoInitialize (Worker1) failed - Error: 0x%08X", static_cast<unsigned>(hr));
        return hr;
    }
    Trace()->Format(3, "Worker1 init ST interface ...");
    m_binding = std::make_unique<CSymbianConnectRT>(1, Trace());
    hr = m_binding->Init();
    if (SUCCEEDED(hr))
        if (CKivlinkNotificationThread* notifications = Services().NotificationThread())
            notifications->RegisterBinding(m_binding.get());
    Trace()->Format(3, "Worker1 init ST interface done - hr=0x%08X", static_cast<unsigned>(hr));
    if (SUCCEEDED(hr)) {
        Sleep(500);
    } else {
        m_binding.reset();
        CoUninitialize();
    }
    return hr;
}

HRESULT CKivWorkingThread::ExitThread()
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

bool CKivWorkingThread::IsKnownRequest(long type) const
{
    return (type >= 1 && type <= 5) || (type >= 7 && type <= 19) || (type >= 23 && type <= 29) ||
           (type >= 32 && type <= 34) || type == 36 || type == 40 || type == 43 || (type >= 46 && type <= 50) ||
           type == 68 || type == 69;
}

void CKivWorkingThread::ProcessRequest(CRequestData& record)
{
    HRESULT hr = m_binding->WaitForConnection(CONNECTION_WAIT_MS);
    if (FAILED(hr)) {
        Trace()->Format(3, "E_STATE: No Connection\tRequest:%ld", record.m_typ);
        record.m_RetVal = hr;
        return;
    }
    {
        CriticalTaskScope critical(Services(), IsCriticalTask(record.m_typ));
        hr = Execute(record);
    }
    if (SUCCEEDED(hr))
        InvalidateAfterSuccess(record);
    record.m_RetVal = hr;
}

HRESULT CKivWorkingThread::Execute(CRequestData& record)
{
    switch (record.m_typ) {
    case REQ_CHECK_CONNECTION:
        return S_OK;
    case REQ_INVALIDATE_PARENT:
        return m_binding->InvalidateParent(record.m_firstStringArg.c_str(), false);
    case REQ_INVALIDATE_ALL:
        return m_binding->InvalidateAll();
    default:
        if (IsKnownRequest(record.m_typ))
            return E_NOTIMPL;
        return RejectUndefinedRequest(record, "CKivWorkingThread", 1035);
    }
}

void CKivWorkingThread::InvalidateAfterSuccess(const CRequestData& record)
{
    const bool blocked = HasFlag(record, eBlocked);
    const wchar_t* first = record.m_firstStringArg.c_str();
    const wchar_t* second = record.m_secondStringArg.c_str();
    switch (record.m_typ) {
    case REQ_COPY:
        m_binding->InvalidateParent(second, true);
        break;
    case REQ_CREATE_DIR:
    case REQ_DELETE:
    case REQ_REMOVE_DIR:
    case REQ_SET_ATTRIBUTES:
    case REQ_REMOVE_ENTRY:
        m_binding->InvalidateParent(first, true);
        break;
    case REQ_FORMAT:
        if (blocked)
            m_binding->InvalidateParent(first, false);
        break;
    case REQ_MOVE:
    case REQ_MOVE_DIR:
        m_binding->InvalidateParent(first, false);
        m_binding->InvalidateParent(second, false);
        break;
    case REQ_PUT_FILE:
        m_binding->InvalidateParent(first, false);
        break;
    case REQ_COPY_TO_PC:
        if (blocked && HasFlag(record, eMove))
            m_binding->InvalidateParent(first, true);
        break;
    case REQ_COPY_FROM_PC:
    case REQ_RESTORE_DRIVE:
        if (blocked)
            m_binding->InvalidateParent(second, true);
        break;
    case REQ_CREATE_STD_DIRS:
        m_binding->InvalidateParent(L"C:\\", true);
        m_binding->InvalidateParent(L"E:\\", true);
        break;
    case REQ_COPY_FROM_PC_POST_STEP:
    case REQ_RESTORE_POST_STEP:
        m_binding->InvalidateParent(second, true);
        break;
    case REQ_COPY_TO_PC_POST_STEP:
        if (HasFlag(record, eMove))
            m_binding->InvalidateParent(first, true);
        break;
    case REQ_FORMAT_POST_STEP:
        m_binding->InvalidateParent(first, false);
        break;
    default:
        break;
    }
}
