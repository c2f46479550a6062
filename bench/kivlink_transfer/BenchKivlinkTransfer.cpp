// Kivlink's file service through COM against the simulated phone at unlimited rate:
// throughput of CopyFromPC and CopyToPC against the same copies made directly through the
// phone library and against CopyFile of the same file, with the phone calls each costs; and
// round trips of a cached GetInfo against an empty call to another process. Every Kivlink
// number is a ratio against its baselines measured in the same run.
#include "AsciiText.h"
#include "CallFailure.h"
#include "CallRateBench.h"
#include "CallWatchdog.h"
#include "LocalServers.h"
#include "Median.h"
#include "PhoneBenchRun.h"
#include "ScratchFolder.h"
#include "SimulatedPhone.h"
#include "TransferBench.h"

#include "tests/support/ChildProcess.h"

#include "KivlinkLib.h"
#include "SmokeCalculator.h"
#include "com/ComInit.h"
#include "com/ComPtr.h"

#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>

using tolv::com::com_ptr;

namespace {

constexpr double kMegabyte = 1024.0 * 1024.0;
constexpr int kCallRounds = 5;
const TransferCase kTransferCases[] = {
    {"1 MB", 1ull << 20, 10},
    {"100 MB", 100ull << 20, 3},
};
// Kivlink ends 5 s after its last client, the simulator 2 s after its last phone and client.
constexpr DWORD kServerEndTimeoutMs = 20000;
// Far above the slowest copy seen (100 MB in a few seconds) and above the server's own
// 30 s inactivity limit, so that only a call that will never return trips it.
constexpr DWORD kCallLimitMs = 300000;

double MegabytesPerSecond(ULONGLONG bytes, const TransferSamples& samples)
{
    const double seconds = Median(samples.seconds);
    return seconds > 0 ? static_cast<double>(bytes) / kMegabyte / seconds : 0;
}

double Rate(const TransferCase& transfer, const TransferSamples& samples)
{
    return samples.failure.empty() ? MegabytesPerSecond(transfer.bytes, samples) : 0;
}

std::string RateText(const TransferCase& transfer, const TransferSamples& samples)
{
    if (!samples.failure.empty() || samples.seconds.empty())
        return "not measured";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB/s", MegabytesPerSecond(transfer.bytes, samples));
    return text;
}

void PrintRatio(const char* label, double numerator, double denominator)
{
    if (numerator > 0 && denominator > 0)
        std::printf(", %s %.3f", label, numerator / denominator);
}

// Prints one direction's lines; false when Kivlink's copies could not be measured.
bool ReportTransfer(const char* method, const TransferCase& transfer, const TransferSamples& samples,
                    const TransferSamples& direct, const TransferSamples& baseline)
{
    const double kivlink = Rate(transfer, samples);
    std::printf("%s %s: Kivlink %s, direct %s, CopyFile %s", method, transfer.label,
                RateText(transfer, samples).c_str(), RateText(transfer, direct).c_str(),
                RateText(transfer, baseline).c_str());
    PrintRatio("Kivlink/direct", kivlink, Rate(transfer, direct));
    PrintRatio("Kivlink/CopyFile", kivlink, Rate(transfer, baseline));
    PrintRatio("direct/CopyFile", Rate(transfer, direct), Rate(transfer, baseline));
    std::printf(" (medians of %zu)\n", samples.seconds.size());
    if (!samples.phoneCalls.empty() && !direct.phoneCalls.empty())
        std::printf("  phone calls per copy: Kivlink %.0f, direct %.0f\n", Median(samples.phoneCalls),
                    Median(direct.phoneCalls));
    for (const TransferSamples* problem : {&samples, &direct})
        if (!problem->failure.empty())
            std::printf("  %s\n", problem->failure.c_str());
    if (!samples.note.empty())
        std::printf("  note: %s\n", samples.note.c_str());
    std::fflush(stdout);
    return kivlink > 0;
}

bool ReportCallRate(const char* label, IKivVolume2* volume, ISmokeCalculator* smoke, IPhoneSimControl* simulator,
                    const wchar_t* entry, const char* expectedInfoStart, CCallWatchdog& watchdog)
{
    const CallRateResult calls =
        MeasureCallRates(volume, smoke, simulator, entry, expectedInfoStart, kCallRounds, &watchdog);
    if (!calls.failure.empty()) {
        std::printf("%s: not measured\n  %s\n", label, calls.failure.c_str());
        std::fflush(stdout);
        return false;
    }
    const double getInfo = Median(calls.getInfoRates);
    const double empty = Median(calls.emptyRates);
    std::printf(
        "%s: %.0f calls/s vs empty cross-process call %.0f calls/s, ratio %.3f (median of %d rounds of %.1f s)\n",
        label, getInfo, empty, getInfo / empty, kCallRounds, kCallRoundSeconds);
    std::printf("  GetInfo(%s) = %s\n", Narrow(entry).c_str(), calls.info.c_str());
    std::printf("  phone calls per GetInfo: %.2f\n", calls.phoneCallsPerGetInfo);
    std::fflush(stdout);
    return true;
}

int Measure(const CScratchFolder& scratch, CSimulatedPhone& phone, CCallWatchdog& watchdog)
{
    com_ptr<ISmokeCalculator> smoke;
    HRESULT hr = CreateLocal(CLSID_SmokeCalculator, IID_ISmokeCalculator, smoke, watchdog, "SmokeCalculator");
    if (FAILED(hr)) {
        std::printf("cannot create the smoke server's SmokeCalculator: %s\n",
                    DescribeFailure(hr, nullptr, IID_NULL).c_str());
        return 1;
    }
    com_ptr<IKivVolume2> volume;
    hr = CreateLocal(CLSID_KivVolume2, IID_IKivVolume2, volume, watchdog, "KivVolume2");
    if (FAILED(hr)) {
        std::printf("cannot create Kivlink's KivVolume2: %s\n", DescribeFailure(hr, nullptr, IID_NULL).c_str());
        return 1;
    }

    com_ptr<IPhoneSimControl> simulator;
    hr = CreateLocal(CLSID_PhoneSimControl, IID_IPhoneSimControl, simulator, watchdog, "PhoneSimControl");
    if (FAILED(hr)) {
        std::printf("cannot create the simulator's control object: %s\n",
                    DescribeFailure(hr, nullptr, IID_NULL).c_str());
        return 1;
    }

    TransferSetup setup;
    setup.volume = volume.get();
    setup.simulator = simulator.get();
    setup.watchdog = &watchdog;
    setup.pcFolder = scratch.Path();
    setup.cardFolder = phone.DriveFolder(L'E');
    for (const TransferCase& transfer : kTransferCases) {
        std::string problem;
        if (!PrepareTransferCase(setup, transfer, problem)) {
            std::printf("%s: %s\n", transfer.label, problem.c_str());
            return 1;
        }
    }
    CDirectPhone direct;
    std::string problem;
    if (!direct.Open(kPhoneSourceFolderName, kPhoneTargetFolderName, watchdog, problem)) {
        std::printf("%s\n", problem.c_str());
        return 1;
    }
    setup.direct = &direct;
    int status = 0;
    std::printf("Kivlink against the simulated phone at unlimited rate (MB = 1048576 bytes, eBlocked copies;\n"
                "direct: the same copies through the phone library without Kivlink)\n");
    for (const TransferCase& transfer : kTransferCases) {
        const TransferResult result = MeasureTransferCase(setup, transfer);
        const bool fromPC = ReportTransfer("CopyFromPC", transfer, result.fromPC, result.directIn, result.copyFile);
        const bool toPC = ReportTransfer("CopyToPC", transfer, result.toPC, result.directOut, result.copyFile);
        if (!fromPC || !toPC || !result.copyFile.failure.empty() || !result.directIn.failure.empty() ||
            !result.directOut.failure.empty())
            status = 1;
        if (!result.copyFile.failure.empty())
            std::printf("  baseline: %s\n", result.copyFile.failure.c_str());
    }

    // A file's description carries attributes, size and date, a folder's none of them: the
    // two show whether a cached answer still costs calls to the phone.
    if (!ReportCallRate("GetInfo (cached file)", volume.get(), smoke.get(), simulator.get(),
                        L"E:\\BenchSource\\bench_1MB.bin", "Type=File,Attribute=ARCHIVE,Size=1048576,Date=", watchdog))
        status = 1;
    if (!ReportCallRate("GetInfo (cached folder)", volume.get(), smoke.get(), simulator.get(), L"E:\\BenchSource\\",
                        "Type=Directory,Attribute=DIRECTORY,Size=0,Date=0,", watchdog))
        status = 1;
    direct.Close(watchdog);
    ReleaseWatched(simulator, watchdog, "PhoneSimControl");
    ReleaseWatched(volume, watchdog, "KivVolume2");
    ReleaseWatched(smoke, watchdog, "SmokeCalculator");
    return status;
}

}  // namespace

int main()
{
    return RunPhoneBenchMain("bench_kivlink_transfer", [] {
        return RunPhoneBench(L"PellaryTransferBench", kCallLimitMs, Measure, {L"smoke_server.exe"});
    });
}
