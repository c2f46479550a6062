#include "KivlinkGeneral.h"

#include "KivErrorReporter.h"
#include "KivServerTrace.h"
#include "trace/TolvTrace.h"

#include <cstdint>

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

// The phone-status and device methods come with the phone-status service.
HRESULT CKivlinkGeneral::GetMobileModel(BSTR*)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkGeneral::GetIMEI(BSTR*)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkGeneral::GetCharge(LONG*)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkGeneral::GetSignalQuality(LONG*, LONG*)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkGeneral::GetMobileManufacturer(BSTR*)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkGeneral::GetMobileInfo(BSTR*, BSTR*, BSTR*, BSTR*, LONG*)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkGeneral::SuspendConnection()
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkGeneral::ResumeConnection()
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkGeneral::SetPort(BSTR)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkGeneral::ResetPort(BSTR)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkGeneral::GetConnectionState(KivGeneralConnectionState*)
{
    return Report(E_NOTIMPL);
}
