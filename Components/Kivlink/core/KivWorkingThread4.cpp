#include "KivWorkingThread4.h"

#include "RequestTable.h"

#include "KivNotificationHandler.h"

namespace {

constexpr tolv::trace::site kUndefinedRequest{"CKivWorkingThread4", 242};

}  // namespace

HRESULT CKivWorkingThread4::InitThread()
{
    HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (FAILED(hr))
        Trace()->Format(1, "CoInitializeEx (Worker4) failed - Error: 0x%08X", static_cast<unsigned>(hr));
    return hr;
}

HRESULT CKivWorkingThread4::ExitThread()
{
    CoUninitialize();
    return S_OK;
}

bool CKivWorkingThread4::IsKnownRequest(long type) const
{
    return IsServedBy(type, KivWorkerRole::ChangeNotification);
}

void CKivWorkingThread4::ProcessRequest(CRequestData& record)
{
    switch (record.m_typ) {
    case REQ_ADD_CHANGE_NOTIFICATION:
    case REQ_BROADCAST_CHANGE_NOTIFICATION:
    case REQ_REMOVE_CHANGE_NOTIFICATION:
    case REQ_NOTIFY_CHANGE:
        record.m_RetVal = m_changeService.Handle(record);
        break;
    default:
        record.m_RetVal = RejectUndefinedRequest(record, kUndefinedRequest);
        break;
    }
}
