#include "platform/phonesim/PhoneSimControlObject.h"

#include "com/HResult.h"
#include "platform/phonesim/CallCounter.h"
#include "platform/phonesim/ObjectHelpers.h"
#include "platform/phonesim/SimWorld.h"

namespace phonesim {

namespace {

unsigned long long Join(LONG low, LONG high)
{
    return (static_cast<unsigned long long>(static_cast<DWORD>(high)) << 32) | static_cast<DWORD>(low);
}

wchar_t DriveLetter(BSTR drive)
{
    const std::wstring text = TextOf(drive);
    if (text.empty() || text.size() > 2 || (text.size() == 2 && text[1] != L':')) {
        return 0;
    }
    return static_cast<wchar_t>(towupper(text[0]));
}

}  // namespace

HRESULT CPhoneSimControl::Connect(BSTR name, BSTR model, BSTR manufacturer, BSTR identifier, VARIANT_BOOL withCard,
                                  BSTR root)
{
    try {
        PhoneSettings settings;
        settings.name = TextOf(name);
        settings.model = TextOf(model);
        settings.manufacturer = TextOf(manufacturer);
        settings.identifier = TextOf(identifier);
        settings.withCard = withCard != VARIANT_FALSE;
        settings.root = TextOf(root);
        return CSimWorld::Instance().Connect(std::move(settings));
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CPhoneSimControl::Disconnect(BSTR name)
{
    try {
        return CSimWorld::Instance().Disconnect(TextOf(name));
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CPhoneSimControl::GetStatus(BSTR* text)
{
    try {
        return ReturnText(CSimWorld::Instance().Status(), text);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CPhoneSimControl::ConfigureDrive(BSTR name, BSTR drive, LONG which, BSTR label, LONG capacityLow,
                                         LONG capacityHigh, LONG freeLow, LONG freeHigh)
{
    RETURN_HR_IF(E_INVALIDARG, (which & ~(driveSettingLabel | driveSettingCapacity | driveSettingFree)) != 0);
    try {
        DriveSettings settings;
        settings.hasLabel = (which & driveSettingLabel) != 0;
        settings.label = TextOf(label);
        settings.hasCapacity = (which & driveSettingCapacity) != 0;
        settings.capacity = Join(capacityLow, capacityHigh);
        settings.hasFree = (which & driveSettingFree) != 0;
        settings.free = Join(freeLow, freeHigh);
        return CSimWorld::Instance().ConfigureDrive(TextOf(name), DriveLetter(drive), settings);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CPhoneSimControl::SetTransferRate(LONG bytesPerSecond)
{
    RETURN_HR_IF(E_INVALIDARG, bytesPerSecond < 0);
    CSimWorld::Instance().SetTransferRate(bytesPerSecond);
    return S_OK;
}

HRESULT CPhoneSimControl::GetTransferRate(LONG* bytesPerSecond)
{
    return ReturnLong(CSimWorld::Instance().TransferRate(), bytesPerSecond);
}

HRESULT CPhoneSimControl::ArmFault(PhoneSimFault fault, LONG value)
{
    return CSimWorld::Instance().Faults().Arm(fault, value);
}

HRESULT CPhoneSimControl::ClearFaults()
{
    CSimWorld::Instance().Faults().Clear();
    return S_OK;
}

HRESULT CPhoneSimControl::GetFaults(BSTR* text)
{
    try {
        return ReturnText(CSimWorld::Instance().Faults().Describe(), text);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CPhoneSimControl::GetDriveFolder(BSTR name, BSTR drive, BSTR* folder)
{
    RETURN_HR_IF_NULL(E_POINTER, folder);
    *folder = nullptr;
    try {
        const std::wstring phoneName = TextOf(name).empty() ? PhoneSettings{}.name : TextOf(name);
        const auto phone = CSimWorld::Instance().FindPhone(phoneName);
        RETURN_HR_IF(HRESULT_FROM_WIN32(ERROR_NOT_FOUND), !phone);
        const wchar_t letter = DriveLetter(drive);
        RETURN_HR_IF(E_INVALIDARG, letter == 0 || !phone->HasDrive(letter));
        return ReturnText(phone->DriveFolder(letter), folder);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CPhoneSimControl::GetCallCount(LONG* calls)
{
    RETURN_HR_IF_NULL(E_POINTER, calls);
    *calls = ServedCalls();
    return S_OK;
}

HRESULT CPhoneSimControl::SetPhoneCondition(PhoneSimCondition which, LONG value)
{
    return CSimWorld::Instance().Condition().Set(which, value);
}

HRESULT CPhoneSimControl::GetPhoneCondition(PhoneSimCondition which, LONG* value)
{
    RETURN_HR_IF_NULL(E_POINTER, value);
    *value = 0;
    return CSimWorld::Instance().Condition().Get(which, *value);
}

HRESULT CPhoneSimControl::GetStatusReadingCount(LONG* readings)
{
    return ReturnLong(CSimWorld::Instance().Condition().Readings(), readings);
}

}  // namespace phonesim
