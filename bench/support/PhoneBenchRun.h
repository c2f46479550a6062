#pragma once
// The frame of a benchmark against Kivlink and the simulated phone: a scratch folder, the
// watchdog for calls that never return, a simulated phone connected below the folder, the
// process in the multithreaded apartment; afterwards the servers are waited out, so that the
// folder can go. Failures of the frame are printed; the exit status is the measurement's.
#include "CallWatchdog.h"
#include "ScratchFolder.h"
#include "SimulatedPhone.h"

#include <windows.h>

#include <functional>
#include <initializer_list>

using PhoneBenchMeasure = std::function<int(const CScratchFolder&, CSimulatedPhone&, CCallWatchdog&)>;

// servers: the programs (besides Kivlink.exe and phonesim.exe) the measurement started.
int RunPhoneBench(const wchar_t* scratchPrefix, DWORD callLimitMs, const PhoneBenchMeasure& measure,
                  std::initializer_list<const wchar_t*> servers = {});

// main() of a benchmark: the run, with an escaping exception printed under the program's name.
int RunPhoneBenchMain(const char* program, const std::function<int()>& run);
