#pragma once
// Throughput of Kivlink's copies between PC and phone against CopyFile of the same file on
// the same machine and against the same copies made directly through the phone library, all
// of them interleaved repetition by repetition so that they see the same page cache and the
// same load. The simulator counts the calls each Kivlink copy costs it.
#include "CallWatchdog.h"
#include "DirectTransfer.h"
#include "KivlinkLib.h"
#include "SymbianConnect.h"

#include <windows.h>

#include <string>
#include <vector>

// The benchmark's folders on the phone's card (E:\BenchSource, E:\BenchTransfer).
extern const wchar_t* const kPhoneSourceFolderName;
extern const wchar_t* const kPhoneTargetFolderName;

struct TransferSetup {
    IKivVolume2* volume = nullptr;
    CDirectPhone* direct = nullptr;
    IPhoneSimControl* simulator = nullptr;  // counts the phone calls
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
    std::vector<double> phoneCalls;  // calls the simulator served for each copy
    std::string failure;  // empty while every copy arrived intact
    std::string note;  // something odd that did not spoil the measurement
};

struct TransferResult {
    TransferSamples copyFile;
    TransferSamples fromPC;
    TransferSamples toPC;
    TransferSamples directIn;
    TransferSamples directOut;
};

// Writes the case's source file on the PC and on the phone's card; false (with the reason
// in `problem`) when it cannot.
bool PrepareTransferCase(const TransferSetup& setup, const TransferCase& transfer, std::string& problem);
TransferResult MeasureTransferCase(const TransferSetup& setup, const TransferCase& transfer);
