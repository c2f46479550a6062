// Cost of tracing: lines per second of an enabled CTolvTrace::Format, without and with a size
// limit, against a plain fprintf+fflush to the same kind of file, and the cost of a call that
// writes nothing against a call through a pointer to a function that does nothing.
#include "tests/trace/TempFolder.h"
#include "tests/trace/TraceSettingsGuard.h"
#include "trace/TolvTrace.h"

#include "bench/Stopwatch.h"

#include <windows.h>
#include <cstdio>
#include <exception>
#include <string>

using tolv::trace::testing::CTempFolder;
using tolv::trace::testing::CTraceSettingsGuard;

namespace {

constexpr int kLines = 50000;
constexpr int kRounds = 5;
constexpr long kSilentCalls = 20000000;
// Far above what the rounds write, so that the limited trace checks its size on every line
// without ever moving its file aside.
constexpr DWORD kSizeLimitNeverReachedInKb = 1000000;

const std::string kPayload(48, 'x');

double TraceLinesPerSecond(CTolvTrace& trace)
{
    CStopwatch watch;
    for (int i = 0; i < kLines; ++i)
        trace.Format(1, "> Entering CBench::Line(%d, %s)", i, kPayload.c_str());
    return kLines / watch.Seconds();
}

double PlainLinesPerSecond(const std::string& path)
{
    // Opened as the trace opens a file that it overwrites.
    FILE* file = std::fopen(path.c_str(), "wt");
    if (!file)
        return 0;
    CStopwatch watch;
    for (int i = 0; i < kLines; ++i) {
        std::fprintf(file, "> Entering CBench::Line(%d, %s)\n", i, kPayload.c_str());
        std::fflush(file);
    }
    const double rate = kLines / watch.Seconds();
    std::fclose(file);
    return rate;
}

void DoNothing(int, const char*, ...) {}

double NanosecondsPerSilentCall(CTolvTrace& trace, int level)
{
    CStopwatch watch;
    for (long i = 0; i < kSilentCalls; ++i)
        trace.Format(level, "> Entering CBench::Line(%ld, %s)", i, "silent");
    return watch.Seconds() * 1e9 / kSilentCalls;
}

double NanosecondsPerEmptyCall()
{
    void (*volatile call)(int, const char*, ...) = DoNothing;
    CStopwatch watch;
    for (long i = 0; i < kSilentCalls; ++i)
        call(4, "> Entering CBench::Line(%ld, %s)", i, "silent");
    return watch.Seconds() * 1e9 / kSilentCalls;
}

double NanosecondsPerEmptyLoopStep()
{
    CStopwatch watch;
    for (long i = 0; i < kSilentCalls; ++i)
        __asm__ __volatile__("" ::: "memory");
    return watch.Seconds() * 1e9 / kSilentCalls;
}

int Run()
{
    CTraceSettingsGuard settings;
    CTempFolder folder;
    settings.SetDword("TraceInfoFlag", 1);
    settings.SetString("TraceInfoPath", folder.Path() + "\\");
    settings.SetDword("TraceFileSizeLimitInKb", 0);

    CTolvTrace trace("BenchTrace", 3, true);
    settings.SetDword("TraceFileSizeLimitInKb", kSizeLimitNeverReachedInKb);
    CTolvTrace limited("BenchTraceLimited", 3, true);
    // Rounds alternate between the writers so that all see the same disk and cache.
    double traceRate = 0;
    double limitedRate = 0;
    double plainRate = 0;
    for (int round = 0; round < kRounds; ++round) {
        const double t = TraceLinesPerSecond(trace);
        const double l = TraceLinesPerSecond(limited);
        const double p = PlainLinesPerSecond(folder / "Plain.txt");
        traceRate = t > traceRate ? t : traceRate;
        limitedRate = l > limitedRate ? l : limitedRate;
        plainRate = p > plainRate ? p : plainRate;
    }

    settings.SetDword("TraceInfoFlag", 0);
    CTolvTrace switchedOff("BenchTraceOff", 3, true);
    double aboveThreshold = 1e300, off = 1e300, emptyCall = 1e300, emptyLoop = 1e300;
    for (int round = 0; round < kRounds; ++round) {
        const double a = NanosecondsPerSilentCall(trace, 4);
        const double o = NanosecondsPerSilentCall(switchedOff, 1);
        const double e = NanosecondsPerEmptyCall();
        const double l = NanosecondsPerEmptyLoopStep();
        aboveThreshold = a < aboveThreshold ? a : aboveThreshold;
        off = o < off ? o : off;
        emptyCall = e < emptyCall ? e : emptyCall;
        emptyLoop = l < emptyLoop ? l : emptyLoop;
    }

    std::printf("Enabled trace, %d lines per round, best of %d rounds:\n", kLines, kRounds);
    std::printf("  CTolvTrace::Format            %10.0f lines/s\n", traceRate);
    std::printf("  Format with a size limit      %10.0f lines/s\n", limitedRate);
    std::printf("  fprintf + fflush              %10.0f lines/s\n", plainRate);
    std::printf("  ratio Format / fprintf+fflush %10.2f\n", traceRate / plainRate);
    std::printf("  ratio Format with a size limit / fprintf+fflush %7.2f\n", limitedRate / plainRate);
    std::printf("Calls that write nothing, %ld calls per round, best of %d rounds:\n", kSilentCalls, kRounds);
    std::printf("  Format above the threshold    %10.2f ns/call\n", aboveThreshold);
    std::printf("  Format with the switch off    %10.2f ns/call\n", off);
    std::printf("  empty function via pointer    %10.2f ns/call\n", emptyCall);
    std::printf("  empty loop step               %10.2f ns\n", emptyLoop);
    std::printf("  ratio silent Format / empty call %7.2f\n", aboveThreshold / emptyCall);
    std::printf("  ratio silent Format / empty loop step %7.2f\n", aboveThreshold / emptyLoop);
    return 0;
}

}  // namespace

int main()
{
    try {
        return Run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_trace: %s\n", error.what());
        return 1;
    }
}
