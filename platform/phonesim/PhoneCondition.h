// How the simulated phone is doing, as its messaging centre reports it: battery charge,
// signal level and the revision of its message browser module, set from the command line;
// and how many readings have been answered, so that a test sees a client's cache at work.
#pragma once

#include <windows.h>

#include "SymbianConnect.h"

namespace phonesim {

class CPhoneCondition {
public:
    static constexpr LONG kDefaultBattery = 80;
    static constexpr LONG kDefaultSignal = 60;
    static constexpr LONG kDefaultMtmRevision = 1;

    // E_INVALIDARG for a value out of its range (per cent 0 to 100, a revision 0 to 65535)
    // or an unknown condition.
    HRESULT Set(PhoneSimCondition which, LONG value) noexcept;
    HRESULT Get(PhoneSimCondition which, LONG& value) const noexcept;

    // One answered reading: its battery charge and signal level, counted.
    void TakeReading(LONG& battery, LONG& signal) noexcept;
    LONG Readings() const noexcept;

private:
    volatile LONG* Slot(PhoneSimCondition which) noexcept;

    volatile LONG m_battery = kDefaultBattery;
    volatile LONG m_signal = kDefaultSignal;
    volatile LONG m_mtmRevision = kDefaultMtmRevision;
    volatile LONG m_readings = 0;
};

}  // namespace phonesim
