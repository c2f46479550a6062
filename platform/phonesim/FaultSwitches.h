// Faults armed for tests. Each one is armed once and taken by the next long operation it
// applies to (short-file by a copy only; the others by any), until cleared.
#pragma once

#include <string>

#include <windows.h>

#include "SymbianConnect.h"
#include "com/CriticalSection.h"

namespace phonesim {

// What one operation does at its midway point (and, for a short file, at its end).
struct FaultPlan {
    DWORD stallMs = 0;
    LONG repeatProgress = 0;
    bool fail = false;
    HRESULT failWith = S_OK;
    bool shortFile = false;
    bool disconnectMidway = false;
    // Disconnects too, and the operation is never heard of again (no error, no completion).
    bool vanishMidway = false;
};

class CFaultSwitches {
public:
    // Values: stall and early-event in ms (early-event 0 takes the default), repeat-progress
    // a count, fail-next a failure HRESULT; short-file, disconnect-midway and vanish-midway take none.
    HRESULT Arm(PhoneSimFault fault, LONG value);
    void Clear();
    // One line per armed fault, as the command line names it.
    std::wstring Describe() const;
    FaultPlan TakeFor(bool isCopy);
    // The delay of an armed early-event fault (which is taken), or 0.
    DWORD TakeEarlyEvent();
    // Not taken by operations: until cleared, file objects keep the size they had when they
    // were made (as a phone library may that reads a folder's listing once).
    bool StaleSizes() const;

    static constexpr DWORD kDefaultEarlyEventMs = 300;

private:
    mutable tolv::com::critical_section m_lock;
    FaultPlan m_armed;
    bool m_stall = false;
    bool m_repeat = false;
    DWORD m_earlyEventMs = 0;
    bool m_staleSizes = false;
};

}  // namespace phonesim
