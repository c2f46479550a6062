#pragma once
// The device information text of a connected phone, as the connect notice and the device
// information of the file interface give it:
// "manufacturer=M,model=T,charge=C,signal=S,IMEI=I," (every value followed by a comma).
#include "Components/Kivlink/core/KivString.h"
#include "Components/Kivlink/core/PhoneStatusReading.h"

#include "SymbianConnect.h"

#include <optional>

// "Tamlo" for the model identifiers the phone may report for it; any other model as it is.
CKivString DisplayModelName(const CKivString& model);
// "Vostrel" for an "Unknown" manufacturer of a Tamlo; any other manufacturer as it is.
CKivString DisplayManufacturer(const CKivString& manufacturer, const CKivString& displayModel);

// Builds the text from what the phone reported; charge and signal stay empty when their
// reading failed.
CKivString FormatDeviceInfoText(const CKivString& manufacturer, const CKivString& model,
                                const std::optional<CPhoneStatusReading>& status, const CKivString& imei);

// The manufacturer and model of the connected device of that name; both empty (and S_OK)
// when no such device is connected.
HRESULT ReadDeviceIdentity(ISCApplication* application, const wchar_t* deviceName, CKivString& manufacturer,
                           CKivString& model);
