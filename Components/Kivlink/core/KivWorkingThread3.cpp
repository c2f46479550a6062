#include "KivWorkingThread3.h"

#include "RequestTable.h"

#include "PhoneLibraryBinding.h"

#include "Components/Kivlink/files/FileOperations.h"
#include "Components/Kivlink/model/FileDescription.h"

namespace {

constexpr tolv::trace::site kUndefinedRequest{"CKivWorkingThread3", 347};

}  // namespace

HRESULT CKivWorkingThread3::InitThread()
{
    HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (FAILED(hr)) {
        Trace()->Format(1, "CoInitializeEx (Worker3) failed - Error: 0x%08X", static_cast<unsigned>(hr));
        return hr;
    }
    Trace()->Format(3, "Worker3 init ST interface ...");
    hr = BindToPhoneLibrary(3, Services(), Trace(), m_binding, m_events);
    Trace()->Format(3, "Worker3 init ST interface done - hr=0x%08X", static_cast<unsigned>(hr));
    if (SUCCEEDED(hr)) {
        Sleep(500);
    } else {
        ReleasePhoneLibraryBinding(m_binding, m_events);
        CoUninitialize();
    }
    return hr;
}

HRESULT CKivWorkingThread3::ExitThread()
{
    ReleasePhoneLibraryBinding(m_binding, m_events);
    CoUninitialize();
    return S_OK;
}
bool CKivWorkingThread3::IsKnownRequest(long type) const
{
    return IsServedBy(type, KivWorkerRole::Listing);
}

void CKivWorkingThread3::ProcessRequest(CRequestData& record)
{
    // A listing does not wait for a phone: the shell asks again when one comes.
    CFileDescription device;
    HRESULT hr = m_binding->WaitForConnection(0, &device);
    if (FAILED(hr)) {
        Trace()->Format(3, "E_STATE: No Connection\tRequest:%ld", record.m_typ);
        record.m_RetVal = hr;
        return;
    }
    switch (record.m_typ) {
    case REQ_GET_ENTRIES: {
        CKivFileContext context;
        context.binding = m_binding.get();
        context.device = device.Device();
        context.trace = Trace();
        record.m_RetVal = RunGetEntries(context, record);
        break;
    }
    case REQ_INVALIDATE_PARENT:
        record.m_RetVal = InvalidateParent(record);
        break;
    case REQ_INVALIDATE_ALL:
        record.m_RetVal = m_binding->OnInvalidateAll();
        break;
    default:
        record.m_RetVal = RejectUndefinedRequest(record, kUndefinedRequest);
        break;
    }
}

HRESULT CKivWorkingThread3::InvalidateParent(const CRequestData& record)
{
    CKivString folder;
    HRESULT hr = m_binding->InvalidateParentFolder(record.m_firstStringArg.c_str(), &folder);
    if (SUCCEEDED(hr) && record.m_firstBooleanArg)
        if (CKivWorker* changes = Services().Worker(KivWorkerRole::ChangeNotification)) {
            // Only that folder's sinks hear of it, once it has been quiet for a while.
            CRequestData changed(REQ_NOTIFY_CHANGE);
            changed.m_firstStringArg = folder;
            changes->PostRequest(changed);
        }
    return hr;
}
