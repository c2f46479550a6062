#pragma once
// The phone's battery and signal through the outside MessageCentre object; one wrapper lives
// for one reading and releases the object with it.
#include "com/ComPtr.h"

#include "SymbianConnect.h"

#include <windows.h>

class CTolvTrace;

class CMessageAccessCentre {
public:
    explicit CMessageAccessCentre(CTolvTrace* trace) : m_trace(trace) {}

    // Creates and binds the object and checks the message browser's version: its revision 99
    // cannot read the battery, which is answered as 0x8007000A.
    HRESULT Initialize();
    HRESULT GetBatterySignal(long& battery, long& signal);

private:
    CTolvTrace* m_trace;
    tolv::com::com_ptr<IMessageCentre> m_centre;
};
