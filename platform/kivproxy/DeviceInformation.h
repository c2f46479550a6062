// The device text Kivlink sends with its connect notice and answers to GetInfo of a device:
// "manufacturer=M,model=T,charge=C,signal=S,IMEI=I," (charge and signal empty when the
// phone's status could not be read).
#pragma once

#include <string>
#include <string_view>

namespace kivproxy {

struct DeviceInformation {
    static constexpr long kUnknownLevel = -1;

    std::wstring manufacturer;
    std::wstring model;
    long charge = kUnknownLevel;
    long signal = kUnknownLevel;
    std::wstring imei;
};

// Fields that are missing or unreadable keep their defaults (empty text, kUnknownLevel); the
// order of the fields does not matter.
DeviceInformation ParseDeviceInformation(std::wstring_view text);

}  // namespace kivproxy
