#include "platform/phonesim/ControlCommands.h"

#include <cwchar>

#include "SymbianConnect.h"
#include "com/ComPtr.h"
#include "com/UniqueBstr.h"

namespace phonesim {

namespace {

std::wstring Failure(const wchar_t* what, HRESULT hr)
{
    wchar_t code[16];
    swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(hr));
    std::wstring text = L"phonesim: ";
    text += what;
    text += L" failed (";
    text += code;
    text += L")\n";
    return text;
}

ControlResult Refused(const wchar_t* what, HRESULT hr)
{
    return ControlResult{1, L"", Failure(what, hr)};
}

std::wstring AbsolutePath(const std::wstring& path)
{
    if (path.empty()) {
        return path;
    }
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) {
        return path;
    }
    std::wstring full(length, L'\0');
    const DWORD used = GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
    full.resize(used);
    return full;
}

HRESULT ConfigureDrive(IPhoneSimControl* control, const std::wstring& name, const wchar_t* drive,
                       const DriveOptions& options)
{
    if (!options.Any()) {
        return S_OK;
    }
    const LONG which = (options.label ? driveSettingLabel : 0) | (options.capacity ? driveSettingCapacity : 0) |
                       (options.free ? driveSettingFree : 0);
    const unsigned long long capacity = options.capacity.value_or(0);
    const unsigned long long free = options.free.value_or(0);
    const tolv::com::unique_bstr nameText(name.c_str());
    const tolv::com::unique_bstr driveText(drive);
    const tolv::com::unique_bstr label(options.label.value_or(L"").c_str());
    return control->ConfigureDrive(
        nameText.get(), driveText.get(), which, label.get(), static_cast<LONG>(static_cast<DWORD>(capacity)),
        static_cast<LONG>(static_cast<DWORD>(capacity >> 32)), static_cast<LONG>(static_cast<DWORD>(free)),
        static_cast<LONG>(static_cast<DWORD>(free >> 32)));
}

ControlResult Connect(IPhoneSimControl* control, const Command& command)
{
    HRESULT hr = ConfigureDrive(control, command.name, L"C:", command.phoneMemory);
    if (SUCCEEDED(hr)) {
        hr = ConfigureDrive(control, command.name, L"E:", command.memoryCard);
    }
    if (FAILED(hr)) {
        return Refused(L"configuring the drives", hr);
    }
    const tolv::com::unique_bstr name(command.name.c_str());
    const tolv::com::unique_bstr model(command.model.c_str());
    const tolv::com::unique_bstr manufacturer(command.manufacturer.c_str());
    const tolv::com::unique_bstr identifier(command.identifier.c_str());
    const tolv::com::unique_bstr root(AbsolutePath(command.root).c_str());
    hr = control->Connect(name.get(), model.get(), manufacturer.get(), identifier.get(),
                          command.withCard ? VARIANT_TRUE : VARIANT_FALSE, root.get());
    if (FAILED(hr)) {
        return Refused(L"connect", hr);
    }
    if (hr == S_FALSE) {
        return ControlResult{0, L"phone already connected\n", L""};
    }
    return ControlResult{};
}

ControlResult Disconnect(IPhoneSimControl* control, const Command& command)
{
    const tolv::com::unique_bstr name(command.name.c_str());
    const HRESULT hr = control->Disconnect(name.get());
    if (FAILED(hr)) {
        return Refused(L"disconnect", hr);
    }
    return hr == S_FALSE ? ControlResult{0, L"no such phone connected\n", L""} : ControlResult{};
}

ControlResult Status(IPhoneSimControl* control)
{
    tolv::com::unique_bstr text;
    const HRESULT hr = control->GetStatus(text.put());
    if (FAILED(hr)) {
        return Refused(L"status", hr);
    }
    return ControlResult{0, text.c_str(), L""};
}

ControlResult Rate(IPhoneSimControl* control, const Command& command)
{
    if (command.rate) {
        const HRESULT hr = control->SetTransferRate(*command.rate);
        return FAILED(hr) ? Refused(L"rate", hr) : ControlResult{};
    }
    LONG rate = 0;
    const HRESULT hr = control->GetTransferRate(&rate);
    if (FAILED(hr)) {
        return Refused(L"rate", hr);
    }
    return ControlResult{0, rate == 0 ? std::wstring(L"unlimited\n") : std::to_wstring(rate) + L" bytes per second\n",
                         L""};
}

ControlResult Fault(IPhoneSimControl* control, const Command& command)
{
    HRESULT hr = S_OK;
    if (command.fault.empty()) {
        tolv::com::unique_bstr text;
        hr = control->GetFaults(text.put());
        return FAILED(hr) ? Refused(L"fault", hr) : ControlResult{0, text.c_str(), L""};
    }
    if (command.fault == L"clear") {
        hr = control->ClearFaults();
    } else {
        PhoneSimFault fault = faultStall;
        if (command.fault == L"repeat-progress") {
            fault = faultRepeatProgress;
        } else if (command.fault == L"fail-next") {
            fault = faultFailNext;
        } else if (command.fault == L"short-file") {
            fault = faultShortFile;
        } else if (command.fault == L"disconnect-midway") {
            fault = faultDisconnectMidway;
        } else if (command.fault == L"vanish-midway") {
            fault = faultVanishMidway;
        } else if (command.fault == L"stale-sizes") {
            fault = faultStaleSizes;
        } else if (command.fault == L"early-event") {
            fault = faultEarlyEvent;
        }
        hr = control->ArmFault(fault, command.faultValue);
    }
    return FAILED(hr) ? Refused(L"fault", hr) : ControlResult{};
}

ControlResult Condition(IPhoneSimControl* control, const Command& command)
{
    if (command.conditionValue) {
        const HRESULT hr = control->SetPhoneCondition(command.condition, *command.conditionValue);
        return FAILED(hr) ? Refused(L"setting the phone's condition", hr) : ControlResult{};
    }
    LONG value = 0;
    const HRESULT hr = control->GetPhoneCondition(command.condition, &value);
    if (FAILED(hr)) {
        return Refused(L"reading the phone's condition", hr);
    }
    return ControlResult{0, std::to_wstring(value) + L"\n", L""};
}

ControlResult Readings(IPhoneSimControl* control)
{
    LONG readings = 0;
    const HRESULT hr = control->GetStatusReadingCount(&readings);
    if (FAILED(hr)) {
        return Refused(L"readings", hr);
    }
    return ControlResult{0, std::to_wstring(readings) + L"\n", L""};
}

}  // namespace

ControlResult RunControlCommand(const Command& command)
{
    tolv::com::com_ptr<IPhoneSimControl> control;
    const HRESULT hr =
        CoCreateInstance(CLSID_PhoneSimControl, nullptr, CLSCTX_LOCAL_SERVER, IID_IPhoneSimControl, control.put_void());
    if (FAILED(hr)) {
        return Refused(L"reaching the simulator", hr);
    }
    switch (command.verb) {
    case Verb::Connect:
        return Connect(control.get(), command);
    case Verb::Disconnect:
        return Disconnect(control.get(), command);
    case Verb::Status:
        return Status(control.get());
    case Verb::Rate:
        return Rate(control.get(), command);
    case Verb::Fault:
        return Fault(control.get(), command);
    case Verb::Condition:
        return Condition(control.get(), command);
    case Verb::Readings:
        return Readings(control.get());
    default:
        return ControlResult{2, L"", L"phonesim: not a control verb\n"};
    }
}

}  // namespace phonesim
