#include "KivWorkingThread2.h"

#include "RequestTable.h"

namespace {

constexpr tolv::trace::site kUndefinedRequest{"CKivWorkingThread2", 307};

}  // namespace

HRESULT CKivWorkingThread2::InitThread()
{
    HRESULT hr = CoInitialize(nullptr);
    if (SUCCEEDED(hr))
        Sleep(500);
    else
        Trace()->Format(1, "CoInitialize (Worker2) failed - Error: 0x%08X", static_cast<unsigned>(hr));
    return hr;
}

HRESULT CKivWorkingThread2::ExitThread()
{
    CoUninitialize();
    return S_OK;
}

bool CKivWorkingThread2::IsKnownRequest(long type) const
{
    return IsServedBy(type, KivWorkerRole::PhoneStatus);
}

void CKivWorkingThread2::ProcessRequest(CRequestData& record)
{
    if (Services().IsCriticalTaskRunning()) {
        Trace()->Format(3, "Tried to process request %d, while a critical task is running",
                        static_cast<int>(record.m_typ));
        record.m_RetVal = E_FAIL;
        return;
    }
    switch (record.m_typ) {
    case REQ_SET_PORT:
    case REQ_GET_BATTERY_SIGNAL:
    case REQ_SUSPEND_CONNECTION:
    case REQ_RESUME_CONNECTION:
    case REQ_RESET_PORT:
        record.m_RetVal = E_NOTIMPL;
        break;
    default:
        record.m_RetVal = RejectUndefinedRequest(record, kUndefinedRequest);
        break;
    }
}
