#include "TransferBench.h"

#include "AsciiText.h"
#include "CallFailure.h"
#include "PatternFile.h"
#include "PhoneCallSpan.h"
#include "ScratchFolder.h"
#include "bench/Stopwatch.h"

#include "com/HResult.h"
#include "com/UniqueBstr.h"

using tolv::com::unique_bstr;

const wchar_t* const kPhoneSourceFolderName = L"BenchSource";
const wchar_t* const kPhoneTargetFolderName = L"BenchTransfer";

namespace {

const wchar_t* const kPhoneSourceFolder = L"E:\\BenchSource\\";
const wchar_t* const kPhoneTargetFolder = L"E:\\BenchTransfer\\";
constexpr unsigned kPatternSeed = 20240611;

std::wstring FileName(const TransferCase& transfer)
{
    return L"bench_" + std::to_wstring(transfer.bytes >> 20) + L"MB.bin";
}

std::wstring PcSource(const TransferSetup& setup, const TransferCase& transfer)
{
    return setup.pcFolder + L"\\" + FileName(transfer);
}

// Folders of the card by their phone names: E:\BenchSource\ is <card>\BenchSource.
std::wstring CardPath(const TransferSetup& setup, const wchar_t* phoneFolder, const std::wstring& name)
{
    return setup.cardFolder + L"\\" + std::wstring(phoneFolder + 3) + name;
}

std::string CopyName(const TransferCase& transfer, int repetition)
{
    return std::string(transfer.label) + ", copy " + std::to_string(repetition + 1) + " of " +
           std::to_string(transfer.repetitions);
}

void CheckArrived(TransferSamples& samples, const std::wstring& source, const std::wstring& copy, const char* what)
{
    const std::string difference = ContentDifference(source, copy);
    if (!difference.empty())
        samples.failure = std::string(what) + " reported success but the copy is wrong: " + difference;
}

// Times one copy and counts the phone calls it cost; the samples take both only when the
// copy succeeded, and its failure is left to the caller to describe.
template <class Copy>
HRESULT TimeCopy(const TransferSetup& setup, TransferSamples& samples, Copy&& copy)
{
    const CPhoneCallSpan span(setup.simulator);
    CStopwatch watch;
    const HRESULT hr = copy();
    const double seconds = watch.Seconds();
    if (FAILED(hr))
        return hr;
    if (setup.simulator) {
        const long calls = span.Calls();
        if (calls >= 0)
            samples.phoneCalls.push_back(calls);
    }
    samples.seconds.push_back(seconds);
    return hr;
}

void TimeCopyFile(const TransferSetup& setup, const TransferCase& transfer, int repetition, TransferSamples& samples)
{
    const std::wstring source = PcSource(setup, transfer);
    const std::wstring target = setup.pcFolder + L"\\baseline_" + std::to_wstring(repetition) + L".bin";
    const HRESULT hr = TimeCopy(setup, samples, [&] {
        return CopyFileW(source.c_str(), target.c_str(), TRUE) ? S_OK : tolv::com::HResultFromLastError();
    });
    if (FAILED(hr)) {
        samples.failure = "CopyFile failed: " + DescribeFailure(hr, nullptr, IID_NULL);
        return;
    }
    CheckArrived(samples, source, target, "CopyFile");
    DeleteFileW(target.c_str());
}

void TimeCopyFromPC(const TransferSetup& setup, const TransferCase& transfer, int repetition, TransferSamples& samples)
{
    const std::wstring name = FileName(transfer);
    const std::wstring source = PcSource(setup, transfer);
    // A folder as the destination keeps the source's name, so the server copies the file
    // itself rather than a renamed temporary copy of it.
    unique_bstr sourceArgument(source.c_str());
    unique_bstr targetArgument(kPhoneTargetFolder);
    const HRESULT hr = TimeCopy(setup, samples, [&] {
        CWatchedCall watched(setup.watchdog, "CopyFromPC " + CopyName(transfer, repetition));
        return setup.volume->CopyFromPC(sourceArgument.get(), targetArgument.get(), eBlocked);
    });
    if (FAILED(hr)) {
        samples.failure = "CopyFromPC failed: " + DescribeFailure(hr, setup.volume, IID_IKivVolume2);
        return;
    }
    const std::wstring arrived = CardPath(setup, kPhoneTargetFolder, name);
    CheckArrived(samples, source, arrived, "CopyFromPC");

    unique_bstr entry((std::wstring(kPhoneTargetFolder) + name).c_str());
    HRESULT removed;
    {
        CWatchedCall watched(setup.watchdog, "RemoveEntry after CopyFromPC " + CopyName(transfer, repetition));
        removed = setup.volume->RemoveEntry(entry.get());
    }
    if (FAILED(removed)) {
        // Taken away behind the server's back; its cache of that folder was dropped by the copy.
        samples.note = "RemoveEntry failed with " + DescribeFailure(removed, setup.volume, IID_IKivVolume2) +
                       "; the phone copies were deleted in the simulator's folder instead";
        DeleteFileW(arrived.c_str());
    } else if (GetFileAttributesW(arrived.c_str()) != INVALID_FILE_ATTRIBUTES) {
        samples.failure = "RemoveEntry reported success but " + Narrow(arrived) + " is still there";
    }
}

void TimeCopyToPC(const TransferSetup& setup, const TransferCase& transfer, int repetition, TransferSamples& samples)
{
    const std::wstring name = FileName(transfer);
    const std::wstring target = setup.pcFolder + L"\\received_" + std::to_wstring(repetition) + L".bin";
    unique_bstr sourceArgument((std::wstring(kPhoneSourceFolder) + name).c_str());
    unique_bstr targetArgument(target.c_str());
    const HRESULT hr = TimeCopy(setup, samples, [&] {
        CWatchedCall watched(setup.watchdog, "CopyToPC " + CopyName(transfer, repetition));
        return setup.volume->CopyToPC(sourceArgument.get(), targetArgument.get(), eBlocked);
    });
    if (FAILED(hr)) {
        samples.failure = "CopyToPC failed: " + DescribeFailure(hr, setup.volume, IID_IKivVolume2);
        DeleteFileW(target.c_str());
        return;
    }
    CheckArrived(samples, PcSource(setup, transfer), target, "CopyToPC");
    DeleteFileW(target.c_str());
}

void TimeDirectCopyIn(const TransferSetup& setup, const TransferCase& transfer, TransferSamples& samples)
{
    const std::wstring source = PcSource(setup, transfer);
    const HRESULT hr = TimeCopy(setup, samples, [&] { return setup.direct->CopyIn(source, *setup.watchdog); });
    if (FAILED(hr)) {
        samples.failure = "the direct copy in failed: " + DescribeFailure(hr, nullptr, IID_NULL);
        return;
    }
    const std::wstring arrived = CardPath(setup, kPhoneTargetFolder, FileName(transfer));
    CheckArrived(samples, source, arrived, "the direct copy in");
    DeleteFileW(arrived.c_str());
}

void TimeDirectCopyOut(const TransferSetup& setup, const TransferCase& transfer, int repetition,
                       TransferSamples& samples)
{
    tolv::com::com_ptr<ISCFile> file;
    HRESULT hr = setup.direct->SourceFile(FileName(transfer), file, *setup.watchdog);
    if (FAILED(hr)) {
        samples.failure = "the phone file to copy out is missing: " + DescribeFailure(hr, nullptr, IID_NULL);
        return;
    }
    const std::wstring target = setup.pcFolder + L"\\direct_" + std::to_wstring(repetition) + L".bin";
    hr = TimeCopy(setup, samples, [&] { return setup.direct->CopyOut(file.get(), target, *setup.watchdog); });
    if (FAILED(hr)) {
        samples.failure = "the direct copy out failed: " + DescribeFailure(hr, nullptr, IID_NULL);
        DeleteFileW(target.c_str());
        return;
    }
    CheckArrived(samples, PcSource(setup, transfer), target, "the direct copy out");
    DeleteFileW(target.c_str());
}

}  // namespace

bool PrepareTransferCase(const TransferSetup& setup, const TransferCase& transfer, std::string& problem)
{
    const std::wstring name = FileName(transfer);
    const std::wstring phoneSource = CardPath(setup, kPhoneSourceFolder, name);
    // The target folder exists beforehand, so that no repetition pays for creating it.
    const std::wstring phoneTarget = CardPath(setup, kPhoneTargetFolder, L"");
    for (const std::wstring& folder : {phoneSource.substr(0, phoneSource.find_last_of(L'\\')), phoneTarget}) {
        if (!CreateFolderPath(folder)) {
            problem = "cannot create " + Narrow(folder) + ": " + DescribeWin32Failure(GetLastError());
            return false;
        }
    }
    for (const std::wstring& file : {PcSource(setup, transfer), phoneSource}) {
        const HRESULT hr = WritePatternFile(file, transfer.bytes, kPatternSeed);
        if (FAILED(hr)) {
            problem = "cannot write " + Narrow(file) + ": " + DescribeFailure(hr, nullptr, IID_NULL);
            return false;
        }
    }
    return true;
}

TransferResult MeasureTransferCase(const TransferSetup& setup, const TransferCase& transfer)
{
    TransferResult result;
    for (int repetition = 0; repetition < transfer.repetitions; ++repetition) {
        // A direction that failed once is not asked again: its later numbers would mean nothing.
        if (result.copyFile.failure.empty())
            TimeCopyFile(setup, transfer, repetition, result.copyFile);
        if (result.fromPC.failure.empty())
            TimeCopyFromPC(setup, transfer, repetition, result.fromPC);
        if (result.toPC.failure.empty())
            TimeCopyToPC(setup, transfer, repetition, result.toPC);
        if (setup.direct && result.directIn.failure.empty())
            TimeDirectCopyIn(setup, transfer, result.directIn);
        if (setup.direct && result.directOut.failure.empty())
            TimeDirectCopyOut(setup, transfer, repetition, result.directOut);
    }
    return result;
}
