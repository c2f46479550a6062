#pragma once
// Kivlink's work on one folder of the card as it grows: the listing, a lookup of the folder's
// last file and the removal of every file by wildcard, each timed through COM. The same
// measurement at two sizes shows whether a cost per entry stays flat or grows with the
// folder (a walk of the folder for each entry).
#include "bench/support/CallWatchdog.h"

#include "KivlinkLib.h"
#include "SymbianConnect.h"

#include <string>
#include <vector>

struct FolderScaleSetup {
    IKivVolume2* volume = nullptr;
    CCallWatchdog* watchdog = nullptr;
    IPhoneSimControl* simulator = nullptr;  // counts the calls to the phone
    std::wstring cardFolder;  // the PC folder behind the phone's E:
};

struct FolderScaleCase {
    int files;
    int listings;  // each followed by the lookups
    int cachedLookups;  // repeats after each listing's first lookup
    int removals;  // each of a freshly filled folder
};

// Calls to the phone of the first call of each kind; -1 when not counted.
struct FolderScaleCalls {
    long listing = -1;
    long firstLookup = -1;
    long cachedLookup = -1;
    long removal = -1;
};

struct FolderScaleSamples {
    std::vector<double> listing;  // seconds per call
    std::vector<double> firstLookup;
    std::vector<double> cachedLookup;
    std::vector<double> removal;
    FolderScaleCalls calls;
    std::string info;  // what the lookup answered
    std::string failure;  // empty while every answer was right
};

FolderScaleSamples MeasureFolderScale(const FolderScaleSetup& setup, const FolderScaleCase& scale);
