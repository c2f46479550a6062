// Kivlink's file service through COM against the simulated phone at unlimited rate:
// throughput of CopyFromPC and CopyToPC against CopyFile of the same file, and round trips
// of a cached GetInfo against an empty call to another process. Every Kivlink number is a
// ratio against its baseline measured in the same run.
#include "AsciiText.h"
#include "CallFailure.h"
#include "CallRateBench.h"
#include "CallWatchdog.h"
#include "Median.h"
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

// Prints one direction's line; false when it could not be measured.
bool ReportTransfer(const char* method, const TransferCase& transfer, const TransferSamples& samples,
                    const TransferSamples& baseline)
{
    const double base = MegabytesPerSecond(transfer.bytes, baseline);
    std::printf("%s %s: ", method, transfer.label);
    bool measured = samples.failure.empty() && !samples.seconds.empty();
    if (measured)
        std::printf("%.1f MB/s", MegabytesPerSecond(transfer.bytes, samples));
    else
        std::printf("not measured");
    if (baseline.failure.empty())
        std::printf(" vs CopyFile %.1f MB/s", base);
    else
        std::printf(" vs CopyFile not measured");
    if (measured && baseline.failure.empty())
        std::printf(", ratio %.3f", MegabytesPerSecond(transfer.bytes, samples) / base);
    std::printf(" (median of %zu)\n", measured ? samples.seconds.size() : baseline.seconds.size());
    if (!samples.failure.empty())
        std::printf("  %s\n", samples.failure.c_str());
    if (!samples.note.empty())
        std::printf("  note: %s\n", samples.note.c_str());
    std::fflush(stdout);
    return measured;
}

bool ReportCallRate(const char* label, IKivVolume2* volume, ISmokeCalculator* smoke, const wchar_t* entry,
                    const char* expectedInfoStart, CCallWatchdog& watchdog)
{
    const CallRateResult calls = MeasureCallRates(volume, smoke, entry, expectedInfoStart, kCallRounds, &watchdog);
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
    std::fflush(stdout);
    return true;
}

template <class Interface>
HRESULT CreateLocal(REFCLSID clsid, REFIID iid, com_ptr<Interface>& object, CCallWatchdog& watchdog, const char* what)
{
    CWatchedCall watched(&watchdog, std::string("creating ") + what);
    return CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, iid, reinterpret_cast<void**>(object.put()));
}

template <class Interface>
void ReleaseWatched(com_ptr<Interface>& object, CCallWatchdog& watchdog, const char* what)
{
    CWatchedCall watched(&watchdog, std::string("releasing ") + what);
    object.reset();
}

void WaitForServerEnd(const wchar_t* program)
{
    if (WaitUntilGone(program, kServerEndTimeoutMs) < 0)
        std::printf("note: %s still runs %lu ms after its last client went\n", Narrow(program).c_str(),
                    static_cast<unsigned long>(kServerEndTimeoutMs));
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

    TransferSetup setup;
    setup.volume = volume.get();
    setup.watchdog = &watchdog;
    setup.pcFolder = scratch.Path();
    setup.cardFolder = phone.DriveFolder(L'E');
    int status = 0;
    std::printf("Kivlink against the simulated phone at unlimited rate (MB = 1048576 bytes, eBlocked copies)\n");
    for (const TransferCase& transfer : kTransferCases) {
        std::string problem;
        if (!PrepareTransferCase(setup, transfer, problem)) {
            std::printf("%s: %s\n", transfer.label, problem.c_str());
            return 1;
        }
        const TransferResult result = MeasureTransferCase(setup, transfer);
        const bool fromPC = ReportTransfer("CopyFromPC", transfer, result.fromPC, result.copyFile);
        const bool toPC = ReportTransfer("CopyToPC", transfer, result.toPC, result.copyFile);
        if (!fromPC || !toPC || !result.copyFile.failure.empty())
            status = 1;
        if (!result.copyFile.failure.empty())
            std::printf("  baseline: %s\n", result.copyFile.failure.c_str());
    }

    // A file's description carries attributes, size and date, a folder's none of them: the
    // two show whether a cached answer still costs calls to the phone.
    if (!ReportCallRate("GetInfo (cached file)", volume.get(), smoke.get(), L"E:\\BenchSource\\bench_1MB.bin",
                        "Type=File,Attribute=ARCHIVE,Size=1048576,Date=", watchdog))
        status = 1;
    if (!ReportCallRate("GetInfo (cached folder)", volume.get(), smoke.get(), L"E:\\BenchSource\\",
                        "Type=Directory,Attribute=DIRECTORY,Size=0,Date=0,", watchdog))
        status = 1;
    ReleaseWatched(volume, watchdog, "KivVolume2");
    ReleaseWatched(smoke, watchdog, "SmokeCalculator");
    return status;
}

int Run()
{
    CScratchFolder scratch(L"PellaryTransferBench");
    if (!scratch.Created()) {
        std::printf("cannot create the benchmark's folder %s\n", Narrow(scratch.Path()).c_str());
        return 1;
    }
    CCallWatchdog watchdog(kCallLimitMs);
    if (!watchdog.Started()) {
        std::printf("cannot start the watchdog thread\n");
        return 1;
    }
    int status = 1;
    {
        const std::wstring phoneRoot = scratch / L"phone";
        CreateFolderPath(phoneRoot);
        CSimulatedPhone phone(phoneRoot);
        if (!phone.Connect()) {
            std::printf("cannot connect the simulated phone: %s\n", phone.Problem().c_str());
        } else {
            tolv::com::com_init com(COINIT_MULTITHREADED);
            if (!com.succeeded())
                std::printf("CoInitializeEx failed: %s\n", DescribeFailure(com.result(), nullptr, IID_NULL).c_str());
            else
                status = Measure(scratch, phone, watchdog);
        }
        phone.Disconnect();
    }
    // The servers end by themselves; the folder goes only once nothing holds its files.
    WaitForServerEnd(L"Kivlink.exe");
    WaitForServerEnd(L"phonesim.exe");
    WaitForServerEnd(L"smoke_server.exe");
    return status;
}

}  // namespace

int main()
{
    try {
        return Run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_kivlink_transfer: %s\n", error.what());
        return 1;
    }
}
