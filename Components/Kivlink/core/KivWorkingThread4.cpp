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
        record.m_RetVal = AddChangeNotification(record);
        break;
    case REQ_BROADCAST_CHANGE_NOTIFICATION:
        record.m_RetVal = BroadcastChangeNotification(record);
        break;
    case REQ_REMOVE_CHANGE_NOTIFICATION:
        record.m_RetVal = RemoveChangeNotification(record);
        break;
    case REQ_NOTIFY_CHANGE:
        record.m_RetVal = m_changeService.OnFolderChanged(record.m_firstStringArg, record.m_firstBooleanArg);
        break;
    default:
        record.m_RetVal = RejectUndefinedRequest(record, kUndefinedRequest);
        break;
    }
}

HRESULT CKivWorkingThread4::AddChangeNotification(const CRequestData& record)
{
    Trace()->Format(3, ">>>IKivVolume::AddChangeNotification(%s) ...", record.m_firstStringArg.Narrow().c_str());
    // The posting method holds the client's sink while it waits; the service takes its own.
    HRESULT hr = m_changeService.AddChangeNotification(record.m_firstStringArg,
                                                       static_cast<IUnknown*>(record.m_firstInterfaceArg),
                                                       static_cast<long*>(record.m_OutArg[OUT_FIRST_LONG]));
    Trace()->Format(3, "<<<IKivVolume::AddChangeNotification - hr=0x%08X ", static_cast<unsigned>(hr));
    return hr;
}

HRESULT CKivWorkingThread4::BroadcastChangeNotification(const CRequestData& record)
{
    Trace()->Format(3, ">>>IKivVolume::BroadcastChangeNotification(%s) ...", record.m_firstStringArg.Narrow().c_str());
    HRESULT hr = m_changeService.BroadcastChangeNotification(record.m_firstStringArg);
    Trace()->Format(3, "<<<IKivVolume::BroadcastChangeNotification - hr=0x%08X ", static_cast<unsigned>(hr));
    return hr;
}

HRESULT CKivWorkingThread4::RemoveChangeNotification(const CRequestData& record)
{
    Trace()->Format(3, ">>>IKivVolume::RemoveChangeNotification(%d) ...", static_cast<int>(record.m_firstIntegerArg));
    HRESULT hr = m_changeService.RemoveChangeNotification(record.m_firstIntegerArg);
    Trace()->Format(3, "<<<IKivVolume::RemoveChangeNotification - hr=0x%08X ", static_cast<unsigned>(hr));
    return hr;
}
