// Whether Kivlink's work grows only with what it is given: Kivlink's memory after a thousand
// copies against its memory after a hundred, and the times and phone calls per entry of a
// listing, a lookup and a wildcard removal in a folder of ten thousand files against a folder
// of a thousand. Every number is a ratio against its baseline measured in the same run; none
// is asserted.
#include "FolderScaleBench.h"
#include "MemoryBench.h"
#include "SmallFile.h"

#include "bench/support/AsciiText.h"
#include "bench/support/CallFailure.h"
#include "bench/support/CallWatchdog.h"
#include "bench/support/LocalServers.h"
#include "bench/support/Median.h"
#include "bench/support/PhoneBenchRun.h"
#include "bench/support/ScratchFolder.h"
#include "bench/support/SimulatedPhone.h"

#include "KivlinkLib.h"
#include "SymbianConnect.h"
#include "com/ComInit.h"
#include "com/ComPtr.h"

#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

using tolv::com::com_ptr;

namespace {

// A median where repetitions are cheap; the listing and the removal of ten thousand files
// only once: under Wine each takes minutes.
const FolderScaleCase kBaselineFolder = {1000, 3, 50, 3};
const FolderScaleCase kLargeFolder = {10000, 1, 50, 1};
constexpr double kPerEntryTarget = 1.5;

constexpr int kWarmUpCopies = 20;
constexpr int kBaselineCopies = 100;
constexpr int kFinalCopies = 1000;
constexpr double kMemoryTarget = 1.10;

constexpr double kMillisecond = 1e-3;
constexpr double kMebibyte = 1024.0 * 1024.0;
// Far above the slowest call seen (a listing of ten thousand files, five minutes under load)
// so that only a call that will never return trips it.
constexpr DWORD kCallLimitMs = 1800000;

std::string SampleCount(const std::vector<double>& samples)
{
    return samples.size() == 1 ? "once" : "median of " + std::to_string(samples.size());
}

// Phone calls divided by what they are counted against; "?" when they were not counted.
std::string CallsText(long calls, double per)
{
    if (calls < 0)
        return "?";
    char text[32];
    std::snprintf(text, sizeof(text), "%.2f", static_cast<double>(calls) / per);
    return text;
}

void PrintCallsRatio(long baseline, long large, double baselinePer, double largePer)
{
    if (baseline > 0 && large >= 0)
        std::printf(", ratio %.3f",
                    (static_cast<double>(large) / largePer) / (static_cast<double>(baseline) / baselinePer));
    std::printf("\n");
}

// The per-entry times at both sizes and their ratio, then the phone calls per entry.
void ReportPerEntry(const char* label, const std::vector<double>& baseline, const std::vector<double>& large,
                    long baselineCalls, long largeCalls)
{
    const double base = Median(baseline) / kBaselineFolder.files / kMillisecond;
    const double grown = Median(large) / kLargeFolder.files / kMillisecond;
    std::printf("  %-27s %d files %.3f ms/entry (%s), %d files %.3f ms/entry (%s), ratio %.3f (target <= %.2f)\n",
                label, kBaselineFolder.files, base, SampleCount(baseline).c_str(), kLargeFolder.files, grown,
                SampleCount(large).c_str(), grown / base, kPerEntryTarget);
    std::printf("  %-27s phone calls per entry %s and %s", "", CallsText(baselineCalls, kBaselineFolder.files).c_str(),
                CallsText(largeCalls, kLargeFolder.files).c_str());
    PrintCallsRatio(baselineCalls, largeCalls, kBaselineFolder.files, kLargeFolder.files);
}

// The times of one call at both sizes and their ratio, then its phone calls.
void ReportPerCall(const char* label, const std::vector<double>& baseline, const std::vector<double>& large,
                   long baselineCalls, long largeCalls)
{
    const double base = Median(baseline) / kMillisecond;
    const double grown = Median(large) / kMillisecond;
    std::printf("  %-27s %d files %.3f ms (%s), %d files %.3f ms (%s), ratio %.3f\n", label, kBaselineFolder.files,
                base, SampleCount(baseline).c_str(), kLargeFolder.files, grown, SampleCount(large).c_str(),
                grown / base);
    std::printf("  %-27s phone calls %s and %s", "", CallsText(baselineCalls, 1).c_str(),
                CallsText(largeCalls, 1).c_str());
    PrintCallsRatio(baselineCalls, largeCalls, 1, 1);
}

bool ReportFolderScale(const FolderScaleSamples& baseline, const FolderScaleSamples& large)
{
    std::printf("Folders of small files (%lu bytes) on the card, baseline the %d-file folder\n",
                static_cast<unsigned long>(kSmallFileBytes), kBaselineFolder.files);
    bool measured = true;
    for (const FolderScaleSamples* samples : {&baseline, &large}) {
        if (!samples->failure.empty()) {
            std::printf("  not measured: %s\n", samples->failure.c_str());
            measured = false;
        }
    }
    if (!measured)
        return false;
    std::printf("Per entry of the folder (a walk of the folder for each entry shows as a ratio near %d; the\n"
                "times follow the machine's load, the phone calls do not):\n",
                kLargeFolder.files / kBaselineFolder.files);
    ReportPerEntry("ListEntries(folder, FALSE)", baseline.listing, large.listing, baseline.calls.listing,
                   large.calls.listing);
    ReportPerEntry("RemoveEntry(folder\\*.txt)", baseline.removal, large.removal, baseline.calls.removal,
                   large.calls.removal);
    std::printf("Per call of one lookup, GetInfo of the folder's last file: its cost should not depend on the\n"
                "folder (ratio near 1); a walk of the folder that outweighed the calls to the phone would\n"
                "approach %d:\n",
                kLargeFolder.files / kBaselineFolder.files);
    ReportPerCall("first after the listing", baseline.firstLookup, large.firstLookup, baseline.calls.firstLookup,
                  large.calls.firstLookup);
    ReportPerCall("cached repeat", baseline.cachedLookup, large.cachedLookup, baseline.calls.cachedLookup,
                  large.calls.cachedLookup);
    std::printf("  GetInfo answered %s\n", large.info.c_str());
    std::fflush(stdout);
    return true;
}

// The target holds for Kivlink only.
void ReportMemoryLine(const char* label, SIZE_T base, SIZE_T grown, bool targeted)
{
    std::printf("  %-30s %d copies %.2f MiB, %d copies %.2f MiB, ratio %.3f", label, kBaselineCopies,
                static_cast<double>(base) / kMebibyte, kFinalCopies, static_cast<double>(grown) / kMebibyte,
                static_cast<double>(grown) / static_cast<double>(base));
    if (targeted)
        std::printf(" (target <= %.2f)", kMemoryTarget);
    std::printf("\n");
}

bool ReportMemory(const MemoryResult& memory)
{
    std::printf("Memory after blocked copies of small files (CopyFromPC and RemoveEntry of the copy, alternating\n"
                "with CopyToPC), counted after a warm-up of %d copies, baseline after %d:\n",
                kWarmUpCopies, kBaselineCopies);
    if (!memory.failure.empty() || memory.samples.size() != 2) {
        std::printf("  not measured: %s\n", memory.failure.c_str());
        std::fflush(stdout);
        return false;
    }
    const MemorySample& base = memory.samples.front();
    const MemorySample& grown = memory.samples.back();
    std::printf(" Kivlink.exe\n");
    ReportMemoryLine("working set (WorkingSetSize)", base.server.workingSet, grown.server.workingSet, true);
    ReportMemoryLine("private bytes (PagefileUsage)", base.server.privateBytes, grown.server.privateBytes, true);
    // The process at the other end of the same copies: growth in both would point at the copies
    // themselves, growth in Kivlink alone at Kivlink.
    std::printf(" for comparison, the simulator phonesim.exe\n");
    ReportMemoryLine("private bytes (PagefileUsage)", base.simulator.privateBytes, grown.simulator.privateBytes, false);
    std::fflush(stdout);
    return true;
}

int Measure(const CScratchFolder& scratch, CSimulatedPhone& phone, CCallWatchdog& watchdog)
{
    com_ptr<IPhoneSimControl> simulator;
    HRESULT hr = CreateLocal(CLSID_PhoneSimControl, IID_IPhoneSimControl, simulator, watchdog, "PhoneSimControl");
    if (FAILED(hr)) {
        std::printf("cannot create the simulator's control object: %s\n",
                    DescribeFailure(hr, nullptr, IID_NULL).c_str());
        return 1;
    }
    com_ptr<IKivVolume2> volume;
    hr = CreateLocal(CLSID_KivVolume2, IID_IKivVolume2, volume, watchdog, "KivVolume2");
    if (FAILED(hr)) {
        std::printf("cannot create Kivlink's KivVolume2: %s\n", DescribeFailure(hr, nullptr, IID_NULL).c_str());
        return 1;
    }
    std::printf(
        "Kivlink against the simulated phone at unlimited rate; every ratio is against a baseline of this run\n");
    std::fflush(stdout);
    int status = 0;

    // Before the folders: their tens of thousands of freed objects would leave the heap room
    // enough to hide a small leak from the counters.
    MemorySetup copies;
    copies.volume = volume.get();
    copies.watchdog = &watchdog;
    copies.pcFolder = scratch.Path();
    copies.cardFolder = phone.DriveFolder(L'E');
    if (!ReportMemory(MeasureMemoryGrowth(copies, kWarmUpCopies, {kBaselineCopies, kFinalCopies})))
        status = 1;

    FolderScaleSetup folders;
    folders.volume = volume.get();
    folders.watchdog = &watchdog;
    folders.simulator = simulator.get();
    folders.cardFolder = phone.DriveFolder(L'E');
    const FolderScaleSamples baseline = MeasureFolderScale(folders, kBaselineFolder);
    const FolderScaleSamples large = MeasureFolderScale(folders, kLargeFolder);
    if (!ReportFolderScale(baseline, large))
        status = 1;

    ReleaseWatched(volume, watchdog, "KivVolume2");
    ReleaseWatched(simulator, watchdog, "PhoneSimControl");
    return status;
}

}  // namespace

int main()
{
    return RunPhoneBenchMain("bench_kivlink_scale",
                             [] { return RunPhoneBench(L"PellaryScaleBench", kCallLimitMs, Measure); });
}
