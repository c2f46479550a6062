#include "KivWorkingThread2.h"

#include "MessageAccessCentre.h"
#include "PortRouter.h"
#include "RequestTable.h"

#include "platform/smrouter/SmRouterController.h"
#include "trace/TolvTrace.h"

namespace {

constexpr tolv::trace::site kUndefinedRequest{"CKivWorkingThread2", 307};

// The router's success codes other than 0 (a port already in the state asked for) are no news
// to the caller.
HRESULT RouterResult(LONG status)
{
    return status < 0 ? static_cast<HRESULT>(status) : S_OK;
}

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
        record.m_RetVal = SetPort(record.m_firstStringArg);
        break;
    case REQ_GET_BATTERY_SIGNAL:
        record.m_RetVal = ReadBatterySignal(record);
        break;
    case REQ_SUSPEND_CONNECTION:
        record.m_RetVal = SuspendConnection();
        break;
    case REQ_RESUME_CONNECTION:
        record.m_RetVal = ResumeConnection();
        break;
    case REQ_RESET_PORT:
        record.m_RetVal = ResetPort(record.m_firstStringArg);
        break;
    default:
        record.m_RetVal = RejectUndefinedRequest(record, kUndefinedRequest);
        break;
    }
}

HRESULT CKivWorkingThread2::ReadBatterySignal(const CRequestData& record)
{
    Trace()->Format(3, ">>>IKivGeneral::GetBatterySignal ...");
    long battery = 0;
    long signal = 0;
    HRESULT hr;
    {
        CMessageAccessCentre centre(Trace());
        hr = centre.Initialize();
        if (SUCCEEDED(hr))
            hr = centre.GetBatterySignal(battery, signal);
    }
    if (SUCCEEDED(hr)) {
        if (auto* batteryOut = static_cast<long*>(record.m_OutArg[OUT_FIRST_LONG]))
            *batteryOut = battery;
        if (auto* signalOut = static_cast<long*>(record.m_OutArg[OUT_SECOND_LONG]))
            *signalOut = signal;
    }
    Trace()->Format(3, "<<<IKivGeneral::GetBatterySignal - hr=0x%08X", static_cast<unsigned>(hr));
    return hr;
}

HRESULT CKivWorkingThread2::SetPort(const CKivString& port)
{
    Trace()->Format(3, ">>>IKivGeneral::SetPort ...");
    HRESULT hr;
    {
        CPortRouterSession router;
        if (router.Status() < 0)
            return static_cast<HRESULT>(router.Status());
        Trace()->Format(3, "Call EnablePort");
        m_portName = port;
        const LONG status = EnablePort(port.c_str());
        if (status == smrouter::kAlreadyEnabled)
            Trace()->Format(3, "Connection - already established");
        else if (status >= 0)
            Trace()->Format(3, "Establishing connection ...");
        else
            Trace()->Format(3, "EnablePort(%s) failed: 0x%x", port.Narrow().c_str(), static_cast<unsigned>(status));
        hr = RouterResult(status);
    }
    if (FAILED(hr))
        return hr;
    // The file worker answers once the phone is there, or after its connection wait.
    CKivWorker* files = Services().Worker(KivWorkerRole::File);
    CRequestData state(REQ_CHECK_CONNECTION);
    state.m_Response = &state;
    hr = files ? files->PostRequestAndWait(state) : E_UNEXPECTED;
    if (FAILED(hr)) {
        Trace()->Format(3, "PostRequestAndWait - timeout");
        return hr;
    }
    Trace()->Format(3, "GetConnection State returned with 0x%08X", static_cast<unsigned>(state.m_RetVal));
    return FAILED(state.m_RetVal) ? state.m_RetVal : S_OK;
}

HRESULT CKivWorkingThread2::ResetPort(const CKivString& port)
{
    Trace()->Format(3, ">>>IKivGeneral::ResetPort ...");
    CPortRouterSession router;
    if (router.Status() < 0)
        return static_cast<HRESULT>(router.Status());
    Trace()->Format(3, "Call DisablePort");
    const CKivString& disabled = port.empty() ? m_portName : port;
    const LONG status = DisablePort(disabled.c_str());
    if (status < 0)
        Trace()->Format(3, "DisablePort(%s) failed: 0x%x", disabled.Narrow().c_str(), static_cast<unsigned>(status));
    return RouterResult(status);
}

HRESULT CKivWorkingThread2::SuspendConnection()
{
    HRESULT hr = S_OK;
    if (!m_portName.empty()) {
        CPortRouterSession router;
        hr =
            router.Status() < 0 ? static_cast<HRESULT>(router.Status()) : RouterResult(DisablePort(m_portName.c_str()));
    }
    Trace()->Format(3, "<<<IKivGeneral::SuspendConnection - hr=0x%08X", static_cast<unsigned>(hr));
    return hr;
}

HRESULT CKivWorkingThread2::ResumeConnection()
{
    CPortRouterSession router;
    if (router.Status() < 0)
        return static_cast<HRESULT>(router.Status());
    return RouterResult(EnableLastDisabledPorts());
}
