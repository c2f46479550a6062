#include "DeviceInfoText.h"

#include "PhoneCalls.h"
#include "ProxyKeeper.h"

#include "com/ComPtr.h"

#include <string>

TOLV_TRACE_UNIT("DeviceInfoText");

namespace {

bool Equals(const CKivString& text, const wchar_t* other)
{
    return wcscmp(text.c_str(), other) == 0;
}

}  // namespace

CKivString DisplayModelName(const CKivString& model)
{
    if (Equals(model, L"Tamlo") || Equals(model, L"1112691795") || Equals(model, L"270504049"))
        return CKivString(L"Tamlo");
    return model;
}

CKivString DisplayManufacturer(const CKivString& manufacturer, const CKivString& displayModel)
{
    if (Equals(manufacturer, L"Unknown") && Equals(displayModel, L"Tamlo"))
        return CKivString(L"Vostrel");
    return manufacturer;
}

CKivString FormatDeviceInfoText(const CKivString& manufacturer, const CKivString& model,
                                const std::optional<CPhoneStatusReading>& status, const CKivString& imei)
{
    const CKivString displayModel = DisplayModelName(model);
    std::wstring text = L"manufacturer=";
    text += DisplayManufacturer(manufacturer, displayModel).c_str();
    text += L",model=";
    text += displayModel.c_str();
    text += L",charge=";
    if (status)
        text += std::to_wstring(status->charge);
    text += L",signal=";
    if (status)
        text += std::to_wstring(status->signal);
    text += L",IMEI=";
    text += imei.c_str();
    text += L",";
    return CKivString(text.c_str());
}

HRESULT ReadDeviceIdentity(ISCApplication* application, const wchar_t* deviceName, CKivString& manufacturer,
                           CKivString& model)
{
    manufacturer = CKivString();
    model = CKivString();
    return RunPhoneOperation(nullptr, TOLV_HERE, [&] {
        tolv::com::com_ptr<ISCDeviceCollection> devices;
        KIV_THROW_IF_FAILED(KIV_REQUIRE(application)->GetDevices(devices.put()));
        KeepFirstProxyOf(devices.get(), IID_ISCDeviceCollection);
        long count = 0;
        KIV_THROW_IF_FAILED(KIV_REQUIRE(devices.get())->GetCount(&count));
        for (long index = 1; index <= count; ++index) {
            tolv::com::com_ptr<ISCDevice> device;
            KIV_THROW_IF_FAILED(devices->Item(tolv::com::LongVariant(index), device.put()));
            BSTR text = nullptr;
            KIV_THROW_IF_FAILED(KIV_REQUIRE(device.get())->GetName(&text));
            if (!Equals(AdoptText(text), deviceName ? deviceName : L""))
                continue;
            KIV_THROW_IF_FAILED(device->GetModel(&text));
            model = AdoptText(text);
            KIV_THROW_IF_FAILED(device->GetManufacturer(&text));
            manufacturer = AdoptText(text);
            break;
        }
        return S_OK;
    });
}
