#pragma once
// Kivlink's memory as blocked copies go through it: small files copied from the PC to the
// phone and removed again, alternating with copies from the phone to the PC. The server's
// memory read at given numbers of copies shows whether each copy leaves something behind.
#include "ProgramMemory.h"

#include "bench/support/CallWatchdog.h"

#include "KivlinkLib.h"

#include <string>
#include <vector>

struct MemorySetup {
    IKivVolume2* volume = nullptr;
    CCallWatchdog* watchdog = nullptr;
    std::wstring pcFolder;  // the source of the copies to the phone and the copies received
    std::wstring cardFolder;  // the PC folder behind the phone's E:
};

struct MemorySample {
    int copies;  // counted after the warm-up
    ProgramMemory server;  // Kivlink.exe
    ProgramMemory simulator;  // phonesim.exe, which served the same copies
};

struct MemoryResult {
    std::vector<MemorySample> samples;  // one per mark
    std::string failure;  // empty while every copy and removal did what it said
};

// Runs warmUpCopies copies, then reads the memory of Kivlink and of the simulator each time
// the count of further copies reaches one of the ascending marks.
MemoryResult MeasureMemoryGrowth(const MemorySetup& setup, int warmUpCopies, const std::vector<int>& marks);
