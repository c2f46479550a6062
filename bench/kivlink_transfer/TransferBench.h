#pragma once
// Throughput of Kivlink's copies between PC and phone against CopyFile of the same file on
// the same machine, the three interleaved repetition by repetition so that all of them see
// the same page cache and the same load.
#include "CallWatchdog.h"
#include "KivlinkLib.h"

#include <windows.h>

#include <string>
#include <vector>

struct TransferSetup {
    IKivVolume2* volume = nullptr;
    CCallWatchdog* watchdog = nullptr;
    std::wstring pcFolder;  // sources and received copies
    std::wstring cardFolder;  // the PC folder behind the phone's E:
};

struct TransferCase {
    const char* label;  // "1 MB"
    ULONGLONG bytes;
    int repetitions;
};

struct TransferSamples {
    std::vector<double> seconds;
    std::string failure;  // empty while every copy arrived intact
    std::string note;  // something odd that did not spoil the measurement
};

struct TransferResult {
    TransferSamples copyFile;
    TransferSamples fromPC;
    TransferSamples toPC;
};

// Writes the case's source file on the PC and on the phone's card; false (with the reason
// in `problem`) when it cannot.
bool PrepareTransferCase(const TransferSetup& setup, const TransferCase& transfer, std::string& problem);
TransferResult MeasureTransferCase(const TransferSetup& setup, const TransferCase& transfer);
