#include "KivlinkMobilePhone2.h"

#include "KivErrorReporter.h"
#include "KivServerTrace.h"

#include "core/KivlinkModule.h"
#include "trace/TolvTrace.h"

#include "com/DispatchArguments.h"

namespace {

// Events that the type library does not declare on IKivAllServerEvents; sinks get them through
// Invoke all the same.
constexpr DISPID DISPID_DEVICE_CONNECTED = 1;
constexpr DISPID DISPID_DEVICE_DISCONNECTED = 2;
constexpr DISPID DISPID_OPERATION_PROGRESS = 3;
constexpr DISPID DISPID_OPERATION_COMPLETION = 4;

std::string Narrow(BSTR text)
{
    return CKivString(text ? text : L"").Narrow();
}

}  // namespace

CKivlinkMobilePhone2::CKivlinkMobilePhone2() : m_events(AddConnectionPoint(DIID_IKivAllServerEvents)) {}

HRESULT CKivlinkMobilePhone2::Report(HRESULT hr)
{
    return ReportKivResult(hr, CLSID_KivVolume2, IID_IKivVolume2);
}

HRESULT CKivlinkMobilePhone2::FinalConstruct()
{
    if (CExeModule* module = CExeModule::Current()) {
        module->AttachListener(this);
        m_attached = true;
    }
    return S_OK;
}

void CKivlinkMobilePhone2::FinalRelease()
{
    if (m_attached) {
        if (CExeModule* module = CExeModule::Current())
            module->DetachListener(this);
        m_attached = false;
    }
}

HRESULT CKivlinkMobilePhone2::Connected(BSTR deviceName, BSTR deviceInformation)
{
    KivServerTrace()->Format(3, "FireDeviceConnected %s %s", Narrow(deviceName).c_str(), Narrow(deviceInformation).c_str());
    tolv::com::DispatchArguments arguments;
    arguments.add_string(deviceName);
    arguments.add_string(deviceInformation);
    return m_events.FireDispatch(DISPID_DEVICE_CONNECTED, arguments);
}

HRESULT CKivlinkMobilePhone2::Disconnected(BSTR deviceName)
{
    KivServerTrace()->Format(3, "FireDeviceDisconnected %s", Narrow(deviceName).c_str());
    tolv::com::DispatchArguments arguments;
    arguments.add_string(deviceName);
    return m_events.FireDispatch(DISPID_DEVICE_DISCONNECTED, arguments);
}

HRESULT CKivlinkMobilePhone2::Progress(long action, BSTR path, long percentage, VARIANT_BOOL* cancel)
{
    KivServerTrace()->Format(3, "FireOperationProgress %d %s %d ", static_cast<int>(action), Narrow(path).c_str(),
                             static_cast<int>(percentage));
    if (cancel)
        *cancel = VARIANT_FALSE;
    std::vector<tolv::com::com_ptr<IDispatch>> sinks;
    HRESULT hr = m_events.Sinks(sinks);
    if (FAILED(hr))
        return hr;
    // One sink asking to cancel is enough; each sink sees its own copy of the flag.
    for (const auto& sink : sinks) {
        VARIANT_BOOL copy = VARIANT_FALSE;
        tolv::com::DispatchArguments arguments;
        arguments.add_long(action);
        arguments.add_string(path);
        arguments.add_long(percentage);
        arguments.add_bool_ref(&copy);
        tolv::com::InvokeSink(sink.get(), DISPID_OPERATION_PROGRESS, arguments);
        if (copy == VARIANT_TRUE && cancel)
            *cancel = VARIANT_TRUE;
    }
    return S_OK;
}

HRESULT CKivlinkMobilePhone2::Completion(long action, BSTR path, long result)
{
    KivServerTrace()->Format(3, "FireOperationCompletion %d %s 0x%x", static_cast<int>(action), Narrow(path).c_str(),
                             static_cast<unsigned>(result));
    tolv::com::DispatchArguments arguments;
    arguments.add_long(action);
    arguments.add_string(path);
    arguments.add_long(result);
    return m_events.FireDispatch(DISPID_OPERATION_COMPLETION, arguments);
}

// The file operations arrive with the file service; until then each says so honestly.
HRESULT CKivlinkMobilePhone2::ListDevices(BSTR*) { return Report(E_NOTIMPL); }
HRESULT CKivlinkMobilePhone2::SelectDevice(BSTR) { return Report(E_NOTIMPL); }
HRESULT CKivlinkMobilePhone2::ListDrives(BSTR*) { return Report(E_NOTIMPL); }
HRESULT CKivlinkMobilePhone2::FormatDrive(BSTR, LONG) { return Report(E_NOTIMPL); }
HRESULT CKivlinkMobilePhone2::BackupDrive(BSTR, BSTR, LONG) { return Report(E_NOTIMPL); }
HRESULT CKivlinkMobilePhone2::RestoreDrive(BSTR, BSTR, LONG) { return Report(E_NOTIMPL); }
HRESULT CKivlinkMobilePhone2::ListEntries(BSTR, VARIANT_BOOL, BSTR*) { return Report(E_NOTIMPL); }
HRESULT CKivlinkMobilePhone2::GetInfo(BSTR, BSTR*) { return Report(E_NOTIMPL); }
HRESULT CKivlinkMobilePhone2::CopyToPC(BSTR, BSTR, LONG) { return Report(E_NOTIMPL); }
HRESULT CKivlinkMobilePhone2::CopyFromPC(BSTR, BSTR, LONG) { return Report(E_NOTIMPL); }
HRESULT CKivlinkMobilePhone2::CopyInDevice(BSTR, BSTR, LONG) { return Report(E_NOTIMPL); }
HRESULT CKivlinkMobilePhone2::RemoveEntry(BSTR) { return Report(E_NOTIMPL); }
HRESULT CKivlinkMobilePhone2::CreateEntry(BSTR) { return Report(E_NOTIMPL); }
