#include "KivlinkGeneral.h"

#include "KivErrorReporter.h"
#include "KivServerTrace.h"
#include "ProgramVersion.h"
#include "WorkerRequests.h"

#include "core/KivlinkModule.h"
#include "core/RequestData.h"
#include "trace/TolvTrace.h"

#include <cstdint>
#include <string>

HRESULT CKivlinkGeneral::Report(HRESULT hr)
{
    return ReportKivResult(hr, CLSID_KivGeneral, IID_IKivGeneral);
}

HRESULT CKivlinkGeneral::FinalConstruct()
{
    KivServerTrace()->Format(3, "IKivGeneral: FinalConstruct - 0x%08X",
                             static_cast<unsigned>(reinterpret_cast<uintptr_t>(this)));
    return S_OK;
}

void CKivlinkGeneral::FinalRelease()
{
    KivServerTrace()->Format(3, "IKivGeneral: FinalRelease: 0x%08X",
                             static_cast<unsigned>(reinterpret_cast<uintptr_t>(this)));
}

HRESULT CKivlinkGeneral::GetCommPorts(BSTR*, LONG, LONG*)
{
    KivServerTrace()->Format(3, "IKivGeneral::GetCommPorts not implemented");
    return Report(E_NOTIMPL);
}

HRESULT CKivlinkGeneral::IsBluetoothPort(LONG, VARIANT_BOOL*)
{
    KivServerTrace()->Format(3, "IKivGeneral::IsBluetoothPort not implemented");
    return Report(E_NOTIMPL);
}

HRESULT CKivlinkGeneral::SetConnectionBeep(VARIANT_BOOL)
{
    KivServerTrace()->Format(3, "IKivGeneral::SetConnectionBeep not implemented");
    return Report(E_NOTIMPL);
}

namespace {

// A reading of battery and signal serves this long, unless the phone connected again.
constexpr DWORD kStatusLifetimeMs = 1200000;
constexpr DWORD kMillisecondsPerSecond = 1000;
// The bit error rate is not known; the interface's callers read 100 as "not known".
constexpr LONG kUnknownBitErrorRate = 100;

std::string Narrow(BSTR text)
{
    return CKivString(text ? text : L"").Narrow();
}

HRESULT AskFileWorker(long type, BSTR* answer)
{
    if (!answer)
        return E_POINTER;
    *answer = nullptr;
    CRequestData record(type);
    record.m_OutArg[OUT_TEXT] = answer;
    return SendToWorker(KivWorkerRole::File, record);
}

HRESULT SendToStatusWorker(long type, BSTR port = nullptr)
{
    CRequestData record(type);
    record.m_firstStringArg = CKivString(port ? port : L"");
    return SendToWorker(KivWorkerRole::PhoneStatus, record);
}

}  // namespace

HRESULT CKivlinkGeneral::CurrentStatus(const char* oldValueLine, const char* refreshLine, long& charge, long& signal)
{
    CExeModule* module = CExeModule::Current();
    const bool reconnected = module && module->CheckConnectCounter(m_connectCounterSeen);
    const DWORD age = GetTickCount() - m_readingTick;
    if (m_reading && age < kStatusLifetimeMs && !reconnected) {
        KivServerTrace()->Format(3, oldValueLine, static_cast<int>((kStatusLifetimeMs - age) / kMillisecondsPerSecond));
    } else {
        KivServerTrace()->Format(3, "%s", refreshLine);
        CPhoneStatusReading reading;
        CRequestData record = PhoneStatusRequest(reading);
        HRESULT hr = SendToWorker(KivWorkerRole::PhoneStatus, record);
        if (FAILED(hr))
            return hr;
        m_reading = reading;
        m_readingTick = GetTickCount();
    }
    charge = m_reading->charge;
    signal = m_reading->signal;
    return S_OK;
}

HRESULT CKivlinkGeneral::GetMobileModel(BSTR* pbstrModel)
{
    KivServerTrace()->Format(3, ">>>IKivGeneral::GetMobileModel ...");
    HRESULT hr = AskFileWorker(REQ_GET_MOBILE_MODEL, pbstrModel);
    KivServerTrace()->Format(3, "<<<IKivGeneral::GetMobileModel(%s) - hr=0x%08X",
                             pbstrModel ? Narrow(*pbstrModel).c_str() : "", static_cast<unsigned>(hr));
    return Report(hr);
}

HRESULT CKivlinkGeneral::GetMobileManufacturer(BSTR* pbstrManufacturer)
{
    KivServerTrace()->Format(3, ">>>IKivGeneral::GetMobileManufacturer ...");
    HRESULT hr = AskFileWorker(REQ_GET_MANUFACTURER, pbstrManufacturer);
    KivServerTrace()->Format(3, "<<<IKivGeneral::GetMobileManufacturer(%s) - hr=0x%08X",
                             pbstrManufacturer ? Narrow(*pbstrManufacturer).c_str() : "", static_cast<unsigned>(hr));
    return Report(hr);
}

HRESULT CKivlinkGeneral::GetIMEI(BSTR* pbstrIMEI)
{
    KivServerTrace()->Format(3, ">>>IKivGeneral::GetIMEI ...");
    HRESULT hr = AskFileWorker(REQ_GET_IMEI, pbstrIMEI);
    KivServerTrace()->Format(3, "<<<IKivGeneral::GetIMEI(%s) - hr=0x%08X", pbstrIMEI ? Narrow(*pbstrIMEI).c_str() : "",
                             static_cast<unsigned>(hr));
    return Report(hr);
}

HRESULT CKivlinkGeneral::GetCharge(LONG* plCharge)
{
    KivServerTrace()->Format(3, ">>>IKivGeneral::GetCharge ...");
    HRESULT hr = E_POINTER;
    if (plCharge) {
        long charge = 0;
        long signal = 0;
        hr = CurrentStatus("IKivGeneral::GetCharge: Using old charge value (remaining seconds=%d)",
                           "IKivGeneral::GetCharge: refresh status", charge, signal);
        if (SUCCEEDED(hr))
            *plCharge = charge;
    }
    KivServerTrace()->Format(3, "<<<IKivGeneral::GetCharge(%d) - hr=0x%08X", plCharge ? static_cast<int>(*plCharge) : 0,
                             static_cast<unsigned>(hr));
    return Report(hr);
}

HRESULT CKivlinkGeneral::GetSignalQuality(LONG* plLevel, LONG* plBER)
{
    KivServerTrace()->Format(3, ">>>IKivGeneral::GetSignalQuality ...");
    HRESULT hr = E_POINTER;
    if (plLevel && plBER) {
        long charge = 0;
        long signal = 0;
        hr = CurrentStatus("IKivGeneral::GetSignalQuality: Using old signal value (remaining seconds=%d)",
                           "IKivGeneral::GetSignalQuality: refreshStatus", charge, signal);
        if (SUCCEEDED(hr)) {
            *plLevel = signal;
            *plBER = kUnknownBitErrorRate;
        }
    }
    KivServerTrace()->Format(3, "<<<IKivGeneral::GetSignalQuality(%d, %d) - hr=0x%08X",
                             plLevel ? static_cast<int>(*plLevel) : 0, plBER ? static_cast<int>(*plBER) : 0,
                             static_cast<unsigned>(hr));
    return Report(hr);
}

HRESULT CKivlinkGeneral::GetMobileInfo(BSTR* pbstrManufacturer, BSTR* pbstrModel, BSTR* pbstrIMEI,
                                       BSTR* pbstrSoftwareVersion, LONG* plCharge)
{
    KivServerTrace()->Format(3, ">>>IKivGeneral::GetMobileInfo ...");
    HRESULT hr = E_POINTER;
    if (pbstrManufacturer && pbstrModel && pbstrIMEI && pbstrSoftwareVersion && plCharge) {
        *pbstrSoftwareVersion = nullptr;
        // The manufacturer is a nicety: a phone that cannot tell it is still described.
        AskFileWorker(REQ_GET_MANUFACTURER, pbstrManufacturer);
        hr = AskFileWorker(REQ_GET_MOBILE_MODEL, pbstrModel);
        if (SUCCEEDED(hr))
            hr = AskFileWorker(REQ_GET_IMEI, pbstrIMEI);
        if (SUCCEEDED(hr)) {
            CKivString path;
            CKivString version;
            hr = ReadProgramVersion(path, version);
            KivServerTrace()->Format(3, "%s\tVersion=%s\thr=0x%08X", path.Narrow().c_str(), version.Narrow().c_str(),
                                     static_cast<unsigned>(hr));
            if (SUCCEEDED(hr)) {
                *pbstrSoftwareVersion = SysAllocStringLen(version.c_str(), static_cast<UINT>(version.length()));
                hr = *pbstrSoftwareVersion ? S_OK : E_OUTOFMEMORY;
            }
        }
        if (SUCCEEDED(hr)) {
            long signal = 0;
            long charge = 0;
            hr = CurrentStatus("IKivGeneral::GetCharge: Using old charge value (remaining seconds=%d)",
                               "IKivGeneral::GetCharge: refresh status", charge, signal);
            if (SUCCEEDED(hr))
                *plCharge = charge;
        }
    }
    KivServerTrace()->Format(3, "<<<IKivGeneral::GetMobileInfo - hr=0x%08X", static_cast<unsigned>(hr));
    return Report(hr);
}

HRESULT CKivlinkGeneral::SuspendConnection()
{
    KivServerTrace()->Format(3, ">>>IKivGeneral::SuspendConnection ...");
    HRESULT hr = SendToStatusWorker(REQ_SUSPEND_CONNECTION);
    KivServerTrace()->Format(3, "<<<IKivGeneral::SuspendConnection - hr=0x%08X", static_cast<unsigned>(hr));
    return Report(hr);
}

HRESULT CKivlinkGeneral::ResumeConnection()
{
    KivServerTrace()->Format(3, ">>>IKivGeneral::ResumeConnection ...");
    HRESULT hr = SendToStatusWorker(REQ_RESUME_CONNECTION);
    KivServerTrace()->Format(3, "<<<IKivGeneral::ResumeConnection - hr=0x%08X", static_cast<unsigned>(hr));
    return Report(hr);
}

HRESULT CKivlinkGeneral::SetPort(BSTR bstrPort)
{
    KivServerTrace()->Format(3, ">>>IKivGeneral::SetPort(%s) ...", Narrow(bstrPort).c_str());
    HRESULT hr = SendToStatusWorker(REQ_SET_PORT, bstrPort);
    KivServerTrace()->Format(3, "<<<IKivGeneral::SetPort(%s) - hr=0x%08X", Narrow(bstrPort).c_str(),
                             static_cast<unsigned>(hr));
    return Report(hr);
}

HRESULT CKivlinkGeneral::ResetPort(BSTR bstrPort)
{
    KivServerTrace()->Format(3, ">>>IKivGeneral::ResetPort(%s) ...", Narrow(bstrPort).c_str());
    HRESULT hr = SendToStatusWorker(REQ_RESET_PORT, bstrPort);
    KivServerTrace()->Format(3, "<<<IKivGeneral::ResetPort(%s) - hr=0x%08X", Narrow(bstrPort).c_str(),
                             static_cast<unsigned>(hr));
    return Report(hr);
}

HRESULT CKivlinkGeneral::GetConnectionState(KivGeneralConnectionState* peConnectionState)
{
    KivServerTrace()->Format(3, ">>>IKivGeneral::GetConnectionState ...");
    HRESULT hr = E_INVALIDARG;
    if (peConnectionState) {
        *peConnectionState = dgcsDisconnected;
        CRequestData record(REQ_CHECK_CONNECTION);
        hr = SendToWorker(KivWorkerRole::File, record);
        if (SUCCEEDED(hr))
            *peConnectionState = dgcsConnected;
        // No phone is an answer, not a failure.
        if (hr == KIV_E_NOCONNECTION)
            hr = S_OK;
    }
    KivServerTrace()->Format(3, "<<<IKivGeneral::GetConnectionState(%d) - hr=0x%08X",
                             peConnectionState ? static_cast<int>(*peConnectionState) : 0, static_cast<unsigned>(hr));
    return Report(hr);
}
