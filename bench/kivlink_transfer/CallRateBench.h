#pragma once
// Round trips per second of a cheap Kivlink request, GetInfo of an entry the server has
// cached, against an empty cross-process call to the smoke server: what Kivlink's request
// path (queue, file worker, trace) adds to the bare cost of COM between processes.
#include "CallWatchdog.h"
#include "KivlinkLib.h"
#include "SmokeCalculator.h"
#include "SymbianConnect.h"

#include <string>
#include <vector>

// Each round calls for this long; rounds of the two kinds alternate.
constexpr double kCallRoundSeconds = 0.5;

struct CallRateResult {
    std::vector<double> getInfoRates;  // calls per second, one per round
    std::vector<double> emptyRates;
    double phoneCallsPerGetInfo = 0;  // calls the simulator served for each GetInfo
    std::string info;  // what GetInfo answered
    std::string failure;  // empty when both were measured
};

CallRateResult MeasureCallRates(IKivVolume2* volume, ISmokeCalculator* smoke, IPhoneSimControl* simulator,
                                const std::wstring& entry, const std::string& expectedInfoStart, int rounds,
                                CCallWatchdog* watchdog);
