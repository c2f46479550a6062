#pragma once
// The round trips to the simulated phone that a piece of work costs, read from the count of
// calls the simulator has served: unlike a time, it does not move with the machine's load.
#include "SymbianConnect.h"

class CPhoneCallSpan {
public:
    // Reads the count at the start of the span.
    explicit CPhoneCallSpan(IPhoneSimControl* simulator);

    // The calls served since the start, the readings of the count left out; -1 when the count
    // cannot be read.
    long Calls() const;

private:
    IPhoneSimControl* m_simulator;
    long m_start = -1;
};
