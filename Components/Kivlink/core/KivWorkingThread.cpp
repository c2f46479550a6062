#include "KivWorkingThread.h"

#include "KivlinkLib.h"
#include "KivlinkNotificationThread.h"
#include "PhoneLibraryBinding.h"
#include "RequestTable.h"

#include "Components/Kivlink/files/FileOperations.h"
#include "Components/Kivlink/transfer/CopyRoutes.h"

namespace {

constexpr tolv::trace::site kUndefinedRequest{"CKivWorkingThread", 1035};

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
    hr = BindToPhoneLibrary(1, Services(), Trace(), m_binding, m_events);
    Trace()->Format(3, "Worker1 init ST interface done - hr=0x%08X", static_cast<unsigned>(hr));
    if (SUCCEEDED(hr)) {
        Sleep(500);
    } else {
        ReleaseBinding();
        CoUninitialize();
    }
    return hr;
}

void CKivWorkingThread::ReleaseBinding()
{
    ReleasePhoneLibraryBinding(m_binding, m_events);
}

HRESULT CKivWorkingThread::ExitThread()
{
    ReleaseBinding();
    CoUninitialize();
    return S_OK;
}

bool CKivWorkingThread::IsKnownRequest(long type) const
{
    return IsServedBy(type, KivWorkerRole::File);
}

void CKivWorkingThread::ProcessRequest(CRequestData& record)
{
    CFileDescription device;
    HRESULT hr = m_binding->WaitForConnection(CONNECTION_WAIT_MS, &device);
    if (FAILED(hr)) {
        Trace()->Format(3, "E_STATE: No Connection\tRequest:%ld", record.m_typ);
        record.m_RetVal = hr;
        return;
    }
    CKivlinkNotificationHandler* handler = Handler();
    const LONG registrations = handler ? handler->RegistrationCount() : 0;
    {
        CriticalTaskScope critical(Services(), IsCriticalTask(record.m_typ));
        hr = Execute(record, device);
    }
    // An unblocked operation that finished without the phone (an empty file copied) has no
    // completion coming: its caller is told here, as it would be by the phone's.
    if (SUCCEEDED(hr) && IsLongOperation(record.m_typ) && !record.Flags().Has(eBlocked) &&
        (!handler || handler->RegistrationCount() == registrations))
        SendImmediateCompletion(record, hr);
    if (SUCCEEDED(hr))
        InvalidateAfterSuccess(record);
    record.m_RetVal = hr;
}

HRESULT CKivWorkingThread::Execute(CRequestData& record, CFileDescription& device)
{
    CKivFileContext context;
    context.binding = m_binding.get();
    context.device = device.Device();
    context.trace = Trace();
    context.handler = Handler();

    switch (record.m_typ) {
    case REQ_CHECK_CONNECTION:
        return S_OK;
    case REQ_INVALIDATE_PARENT:
        return m_binding->OnInvalidateParent(record.m_firstStringArg.c_str(), false);
    case REQ_INVALIDATE_ALL:
        return m_binding->OnInvalidateAll();
    default:
        break;
    }
    const SKivRequestKind* kind = FindRequestKind(record.m_typ);
    if (!kind || !(kind->servedBy & RoleBit(KivWorkerRole::File)))
        return RejectUndefinedRequest(record, kUndefinedRequest);
    if (!kind->operation)
        return E_NOTIMPL;
    if (kind->method)
        return RunTraced(kind->method, kind->operation, context, record);
    return kind->operation(context, record);
}

CKivlinkNotificationHandler* CKivWorkingThread::Handler()
{
    CKivlinkNotificationThread* notifications = Services().NotificationThread();
    return notifications ? notifications->Handler() : nullptr;
}

void CKivWorkingThread::SendImmediateCompletion(const CRequestData& record, HRESULT result)
{
    if (!record.m_Callback)
        return;
    CRequestData notice(REQ_ON_COMPLETION);
    notice.m_Callback = record.m_Callback;
    notice.m_thirdIntegerArg = result;
    switch (record.m_typ) {
    case REQ_FORMAT:
        notice.m_secondIntegerArg = aidFormat;
        notice.m_firstStringArg = record.m_firstStringArg;
        break;
    case REQ_BACKUP_DRIVE:
    case REQ_RESTORE_DRIVE:
        notice.m_secondIntegerArg = record.m_typ == REQ_BACKUP_DRIVE ? aidBackup : aidRestore;
        notice.m_firstStringArg = record.m_secondStringArg;
        break;
    default:
        notice.m_secondIntegerArg = record.m_typ == REQ_COPY_FROM_PC ? aidCopyFromPC : aidCopyToPC;
        notice.m_firstStringArg = record.m_firstStringArg;
        break;
    }
    Services().PostToMainThread(notice);
}

HRESULT CKivWorkingThread::RunTraced(const char* method, KivFileOperation operation, CKivFileContext& context,
                                     CRequestData& record)
{
    Trace()->Format(3, ">>>%s ...", method);
    HRESULT hr = operation(context, record);
    Trace()->Format(3, "<<<%s - hr=0x%08X", method, static_cast<unsigned>(hr));
    return hr;
}

void CKivWorkingThread::InvalidateAfterSuccess(const CRequestData& record)
{
    const bool blocked = record.Flags().Has(eBlocked);
    const wchar_t* first = record.m_firstStringArg.c_str();
    const wchar_t* second = record.m_secondStringArg.c_str();
    switch (record.m_typ) {
    case REQ_COPY:
        m_binding->OnInvalidateParent(second, true);
        break;
    case REQ_CREATE_DIR:
    case REQ_DELETE:
    case REQ_REMOVE_DIR:
    case REQ_SET_ATTRIBUTES:
    case REQ_REMOVE_ENTRY:
        m_binding->OnInvalidateParent(first, true);
        break;
    case REQ_FORMAT:
        if (blocked)
            m_binding->OnInvalidateParent(first, false);
        break;
    case REQ_MOVE:
    case REQ_MOVE_DIR:
        m_binding->OnInvalidateParent(first, false);
        m_binding->OnInvalidateParent(second, false);
        break;
    case REQ_PUT_FILE:
        m_binding->OnInvalidateParent(first, false);
        break;
    case REQ_COPY_TO_PC:
        if (blocked && record.Flags().Has(eMove))
            m_binding->OnInvalidateParent(first, true);
        break;
    case REQ_COPY_FROM_PC:
    case REQ_RESTORE_DRIVE:
        if (blocked)
            m_binding->OnInvalidateParent(second, true);
        break;
    case REQ_CREATE_STD_DIRS:
        m_binding->OnInvalidateParent(L"C:\\", true);
        m_binding->OnInvalidateParent(L"E:\\", true);
        break;
    case REQ_COPY_FROM_PC_POST_STEP:
    case REQ_RESTORE_POST_STEP:
        m_binding->OnInvalidateParent(second, true);
        break;
    case REQ_COPY_TO_PC_POST_STEP:
        if (record.Flags().Has(eMove))
            m_binding->OnInvalidateParent(first, true);
        break;
    case REQ_FORMAT_POST_STEP:
        m_binding->OnInvalidateParent(first, false);
        break;
    default:
        break;
    }
}
