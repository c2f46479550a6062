#include "tools/kivctl/Commands.h"

#include <functional>
#include <string>
#include <vector>

#include "com/UniqueBstr.h"
#include "com/UniqueVariant.h"
#include "tools/kivctl/ChangeWatchPath.h"
#include "tools/kivctl/ConsoleInterrupt.h"
#include "tools/kivctl/ConsoleOutput.h"
#include "tools/kivctl/ErrorText.h"
#include "tools/kivctl/EventLines.h"
#include "tools/kivctl/KivlinkSession.h"
#include "tools/kivctl/MessagePump.h"
#include "tools/kivctl/OperationMonitor.h"
#include "tools/kivctl/ResultText.h"
#include "tools/kivctl/StatusReport.h"
#include "tools/kivctl/StreamCopy.h"
#include "tools/kivctl/TransferDirection.h"
#include "tools/kivctl/VolumeEntries.h"
#include "tools/kivctl/WatchPrinter.h"

namespace {

using tolv::com::com_ptr;
using tolv::com::unique_bstr;
using tolv::com::unique_variant;

struct CommandOutcome {
    HRESULT hr = S_OK;
    // Ctrl+C was pressed and the operation did not succeed.
    bool cancelled = false;
    // Replaces the server's description when kivctl itself decided the failure.
    std::wstring text;
    KivctlExitCode exitCode = kExitSuccess;  // only used together with `text`
};

CommandOutcome Outcome(HRESULT hr)
{
    CommandOutcome outcome;
    outcome.hr = hr;
    return outcome;
}

CommandOutcome Refused(std::wstring text, KivctlExitCode exitCode)
{
    CommandOutcome outcome;
    outcome.hr = E_INVALIDARG;
    outcome.text = std::move(text);
    outcome.exitCode = exitCode;
    return outcome;
}

// A failed call must not be described with an error object left over from an earlier one.
void ForgetErrorObject()
{
    SetErrorInfo(0, nullptr);
}

unique_bstr Bstr(const std::wstring& text)
{
    return unique_bstr(text.c_str(), static_cast<UINT>(text.size()));
}

// The server runs in another folder: PC paths go to it absolute. A trailing separator
// (a folder meant) stays.
std::wstring FullPcPath(const std::wstring& path)
{
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) {
        return path;
    }
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) {
        return path;
    }
    full.resize(length);
    return full;
}

bool IsPcFile(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(FullPcPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring LastComponent(const std::wstring& path)
{
    const size_t separator = path.find_last_of(L"\\/");
    std::wstring name = separator == std::wstring::npos ? path : path.substr(separator + 1);
    return name.empty() ? path : name;
}

std::wstring WithoutPrefix(std::wstring path)
{
    TakeSidePrefix(path);
    return path;
}

void PrintLines(const std::vector<std::wstring>& lines)
{
    std::wstring text;
    for (const std::wstring& line : lines) {
        text += line;
        text += L'\n';
    }
    WriteOut(text);
}

// ------------------------------------------------------------------ short commands

CommandOutcome RunDevices(CKivlinkSession& session)
{
    unique_bstr devices;
    const HRESULT hr = session.Volume()->ListDevices(devices.put());
    if (FAILED(hr)) {
        return Outcome(hr);
    }
    PrintLines(SplitCommaList(devices.c_str()));
    return {};
}

CommandOutcome RunDrives(CKivlinkSession& session)
{
    unique_bstr drives;
    const HRESULT hr = session.Volume()->ListDrives(drives.put());
    if (FAILED(hr)) {
        return Outcome(hr);
    }
    PrintLines(SplitCommaList(drives.c_str()));
    return {};
}

CommandOutcome RunList(CKivlinkSession& session, const KivctlCommandLine& line)
{
    unique_bstr entries;
    const HRESULT hr = session.Volume()->ListEntries(Bstr(WithoutPrefix(line.operands[0])).get(),
                                                     line.recursive ? VARIANT_TRUE : VARIANT_FALSE, entries.put());
    if (FAILED(hr)) {
        return Outcome(hr);
    }
    PrintLines(SplitPathList(entries.c_str()));
    return {};
}

// ls --volume: the one-volume listing, whose paths Kivlink takes in the volume's form.
CommandOutcome RunVolumeList(CKivlinkSession& session, const KivctlCommandLine& line)
{
    unique_variant entries;
    const HRESULT hr =
        session.OneVolume()->GetEntries(Bstr(WithoutPrefix(line.operands[0])).get(), VARIANT_FALSE, entries.put());
    if (FAILED(hr)) {
        return Outcome(hr);
    }
    std::vector<VolumeEntry> rows;
    const HRESULT read = ReadVolumeEntries(*entries.get(), rows);
    if (FAILED(read)) {
        return Refused(L"Kivlink's entry table cannot be read: " + SystemMessage(read), kExitFailure);
    }
    PrintLines(FormatVolumeEntries(rows));
    return {};
}

CommandOutcome RunInfo(CKivlinkSession& session, const KivctlCommandLine& line)
{
    const std::wstring path = line.operands.empty() ? std::wstring() : WithoutPrefix(line.operands[0]);
    unique_bstr info;
    const HRESULT hr = session.Volume()->GetInfo(Bstr(path).get(), info.put());
    if (FAILED(hr)) {
        return Outcome(hr);
    }
    const auto pairs = SplitKeyValueList(info.c_str());
    std::vector<std::wstring> lines;
    for (const auto& [key, value] : pairs) {
        lines.push_back(key + L"=" + value);
    }
    PrintLines(pairs.empty() ? SplitCommaList(info.c_str()) : lines);
    return {};
}

CommandOutcome RunRemove(CKivlinkSession& session, const KivctlCommandLine& line)
{
    return Outcome(session.Volume()->RemoveEntry(Bstr(WithoutPrefix(line.operands[0])).get()));
}

CommandOutcome RunMakeFolder(CKivlinkSession& session, const KivctlCommandLine& line)
{
    return Outcome(session.Volume()->CreateEntry(Bstr(WithoutPrefix(line.operands[0])).get()));
}

// The whole file is on the PC when GetFile returns: its stream only reads a local copy.
CommandOutcome RunCat(CKivlinkSession& session, const KivctlCommandLine& line)
{
    com_ptr<IUnknown> content;
    const HRESULT hr = session.OneVolume()->GetFile(Bstr(WithoutPrefix(line.operands[0])).get(), content.put());
    if (FAILED(hr)) {
        return Outcome(hr);
    }
    com_ptr<IStream> stream;
    HRESULT copied = content ? content.query(stream) : E_POINTER;
    if (SUCCEEDED(copied)) {
        copied = CopyStreamToHandle(stream.get(), GetStdHandle(STD_OUTPUT_HANDLE));
    }
    if (FAILED(copied)) {
        return Refused(L"the file's content could not be written out: " + SystemMessage(copied),
                       ExitCodeForResult(copied));
    }
    return {};
}

// ------------------------------------------------------------------ long operations

// Starts the operation with `flags` and follows it: progress from its events, Ctrl+C as a
// cancel at the next progress event, and for --async the wait for its completion event.
CommandOutcome RunLongOperation(CKivlinkSession& session, const KivctlCommandLine& line, long action,
                                const std::wstring& label, const std::function<HRESULT()>& start)
{
    CConsoleInterrupt interrupt;
    COperationMonitor monitor(action, label, !line.quiet, &interrupt);
    const HRESULT listening = session.Listen(&monitor);
    // Without events an asynchronous operation's end cannot be told; a synchronous one only
    // loses its progress line.
    if (FAILED(listening) && line.async) {
        return Outcome(listening);
    }
    CommandOutcome outcome;
    ForgetErrorObject();
    outcome.hr = start();
    if (line.async && SUCCEEDED(outcome.hr)) {
        switch (monitor.WaitForCompletion()) {
        case COperationMonitor::WaitOutcome::Completed:
            outcome.hr = monitor.CompletionResult();
            break;
        case COperationMonitor::WaitOutcome::Silent:
            outcome.hr = KIV_E_TIMEOUT;
            outcome.text = L"no word from Kivlink about the operation for " +
                           std::to_wstring(monitor.Limits().silenceMs / 1000) + L" s";
            outcome.exitCode = kExitFailure;
            break;
        case COperationMonitor::WaitOutcome::CancelUnanswered:
            outcome.hr = E_ABORT;
            outcome.text = L"cancelled; the operation may still run on the phone";
            outcome.exitCode = kExitCancelled;
            break;
        }
    }
    monitor.EndProgressLine(SUCCEEDED(outcome.hr));
    session.Listen(nullptr);
    if (interrupt.Requested()) {
        if (FAILED(outcome.hr)) {
            outcome.cancelled = true;
        } else {
            WriteErrorLine(std::wstring(L"kivctl: ") + CommandName(line.command) +
                           L": the operation finished before the cancel reached it");
        }
    }
    return outcome;
}

CommandOutcome CopyFromPC(CKivlinkSession& session, const KivctlCommandLine& line, const std::wstring& pcFile,
                          const std::wstring& phonePath, bool move)
{
    const std::wstring source = FullPcPath(pcFile);
    const long flags = ExecutionFlagsFor(line, move);
    const std::wstring label = std::wstring(CommandName(line.command)) + L" " + LastComponent(source);
    return RunLongOperation(session, line, aidCopyFromPC, label, [&] {
        return session.Volume()->CopyFromPC(Bstr(source).get(), Bstr(phonePath).get(), flags);
    });
}

CommandOutcome CopyToPC(CKivlinkSession& session, const KivctlCommandLine& line, const std::wstring& phoneFile,
                        const std::wstring& pcPath, bool move)
{
    const std::wstring destination = FullPcPath(pcPath);
    const long flags = ExecutionFlagsFor(line, move);
    const std::wstring label = std::wstring(CommandName(line.command)) + L" " + LastComponent(phoneFile);
    return RunLongOperation(session, line, aidCopyToPC, label, [&] {
        return session.Volume()->CopyToPC(Bstr(phoneFile).get(), Bstr(destination).get(), flags);
    });
}

CommandOutcome RunPut(CKivlinkSession& session, const KivctlCommandLine& line)
{
    return CopyFromPC(session, line, WithoutPrefix(line.operands[0]), WithoutPrefix(line.operands[1]), false);
}

CommandOutcome RunGet(CKivlinkSession& session, const KivctlCommandLine& line)
{
    return CopyToPC(session, line, WithoutPrefix(line.operands[0]), WithoutPrefix(line.operands[1]), false);
}

// cp and mv: the direction by the rule of TransferDirection.h.
CommandOutcome RunTransfer(CKivlinkSession& session, const KivctlCommandLine& line, bool move)
{
    HRESULT drivesResult = S_OK;
    bool drivesRead = false;
    std::vector<std::wstring> drives;
    const auto isPhoneDrive = [&](wchar_t letter) {
        if (!drivesRead) {
            drivesRead = true;
            unique_bstr text;
            ForgetErrorObject();
            drivesResult = session.Volume()->ListDrives(text.put());
            if (SUCCEEDED(drivesResult)) {
                drives = SplitCommaList(text.c_str());
            }
        }
        for (const std::wstring& drive : drives) {
            if (!drive.empty() && towupper(drive[0]) == towupper(letter)) {
                return true;
            }
        }
        return false;
    };
    const TransferPlan plan = PlanTransfer(line.operands[0], line.operands[1], IsPcFile, isPhoneDrive);
    if (FAILED(drivesResult)) {
        return Outcome(drivesResult);
    }
    switch (plan.kind) {
    case TransferKind::FromPC:
        return CopyFromPC(session, line, plan.source, plan.destination, move);
    case TransferKind::ToPC:
        return CopyToPC(session, line, plan.source, plan.destination, move);
    case TransferKind::InDevice: {
        const long flags = ExecutionFlagsFor(line, move);
        ForgetErrorObject();
        return Outcome(session.Volume()->CopyInDevice(Bstr(plan.source).get(), Bstr(plan.destination).get(), flags));
    }
    case TransferKind::PcOnly:
    default:
        return Refused(L"neither path is on the phone (mark a phone path with \"phone:\")", kExitUsage);
    }
}

CommandOutcome RunFormat(CKivlinkSession& session, const KivctlCommandLine& line)
{
    const std::wstring drive = WithoutPrefix(line.operands[0]);
    const long flags = ExecutionFlagsFor(line, false);
    return RunLongOperation(session, line, aidFormat, L"format " + drive,
                            [&] { return session.Volume()->FormatDrive(Bstr(drive).get(), flags); });
}

CommandOutcome RunBackup(CKivlinkSession& session, const KivctlCommandLine& line)
{
    const std::wstring drive = WithoutPrefix(line.operands[0]);
    const std::wstring file = FullPcPath(WithoutPrefix(line.operands[1]));
    const long flags = ExecutionFlagsFor(line, false);
    return RunLongOperation(session, line, aidBackup, L"backup " + drive,
                            [&] { return session.Volume()->BackupDrive(Bstr(file).get(), Bstr(drive).get(), flags); });
}

CommandOutcome RunRestore(CKivlinkSession& session, const KivctlCommandLine& line)
{
    const std::wstring drive = WithoutPrefix(line.operands[0]);
    const std::wstring file = FullPcPath(WithoutPrefix(line.operands[1]));
    const long flags = ExecutionFlagsFor(line, false);
    return RunLongOperation(session, line, aidRestore, L"restore " + drive,
                            [&] { return session.Volume()->RestoreDrive(Bstr(file).get(), Bstr(drive).get(), flags); });
}

// ------------------------------------------------------------------ watch

CommandOutcome RunWatch(CKivlinkSession& session)
{
    CConsoleInterrupt interrupt;
    CWatchPrinter printer;
    const HRESULT hr = session.Listen(&printer);
    if (FAILED(hr)) {
        return Outcome(hr);
    }
    WriteErrorLine(L"kivctl: watching Kivlink's events; Ctrl+C ends");
    PumpMessagesUntil([&] { return interrupt.Requested(); }, interrupt.Event(), INFINITE);
    session.Listen(nullptr);
    return {};
}

CommandOutcome RunWatchFolder(CKivlinkSession& session, const KivctlCommandLine& line)
{
    CConsoleInterrupt interrupt;
    CFolderChangePrinter printer;
    const std::wstring folder = ChangeWatchPath(WithoutPrefix(line.operands[0]));
    const HRESULT hr = session.WatchFolder(folder, &printer);
    if (FAILED(hr)) {
        return Outcome(hr);
    }
    WriteErrorLine(L"kivctl: watching " + folder + L" for changes; Ctrl+C ends");
    PumpMessagesUntil([&] { return interrupt.Requested(); }, interrupt.Event(), INFINITE);
    ForgetErrorObject();
    return Outcome(session.StopWatchingFolder());
}

// ------------------------------------------------------------------ the phone and its ports

// Who the phone is must be known; Kivlink's version, charge and signal are shown as unknown
// when their reading fails (a message browser that cannot read them).
CommandOutcome RunStatus(CKivlinkSession& session, const KivctlCommandLine& line)
{
    IKivGeneral* general = session.General();
    KivctlStatusReport report;
    unique_bstr manufacturer, model, imei, version;
    LONG charge = 0;
    if (SUCCEEDED(general->GetMobileInfo(manufacturer.put(), model.put(), imei.put(), version.put(), &charge))) {
        report.kivlinkVersion = version.c_str();
        report.charge = charge;
    } else {
        // Which of them failed: the identity decides the outcome.
        HRESULT hr = general->GetMobileManufacturer(manufacturer.put());
        if (SUCCEEDED(hr))
            hr = general->GetMobileModel(model.put());
        if (SUCCEEDED(hr))
            hr = general->GetIMEI(imei.put());
        if (FAILED(hr))
            return Outcome(hr);
        ForgetErrorObject();
    }
    report.manufacturer = manufacturer.c_str();
    report.model = model.c_str();
    report.imei = imei.c_str();
    LONG level = 0;
    LONG bitErrorRate = 0;
    if (SUCCEEDED(general->GetSignalQuality(&level, &bitErrorRate)))
        report.signal = level;
    ForgetErrorObject();
    WriteOut(line.json ? FormatStatusJson(report) : FormatStatusLines(report));
    return {};
}

CommandOutcome RunPort(CKivlinkSession& session, const KivctlCommandLine& line)
{
    IKivGeneral* general = session.General();
    switch (line.portAction) {
    case KivctlPortAction::Set:
        return Outcome(general->SetPort(Bstr(line.port).get()));
    case KivctlPortAction::Reset:
        return Outcome(general->ResetPort(Bstr(line.port).get()));
    case KivctlPortAction::Suspend:
        return Outcome(general->SuspendConnection());
    case KivctlPortAction::Resume:
        return Outcome(general->ResumeConnection());
    default:
        return Refused(L"no port action", kExitUsage);
    }
}

CommandOutcome Dispatch(CKivlinkSession& session, const KivctlCommandLine& line)
{
    ForgetErrorObject();
    switch (line.command) {
    case KivctlCommand::Devices:
        return RunDevices(session);
    case KivctlCommand::Drives:
        return RunDrives(session);
    case KivctlCommand::List:
        return line.volume ? RunVolumeList(session, line) : RunList(session, line);
    case KivctlCommand::Info:
        return RunInfo(session, line);
    case KivctlCommand::Put:
        return RunPut(session, line);
    case KivctlCommand::Get:
        return RunGet(session, line);
    case KivctlCommand::Copy:
        return RunTransfer(session, line, false);
    case KivctlCommand::Move:
        return RunTransfer(session, line, true);
    case KivctlCommand::Remove:
        return RunRemove(session, line);
    case KivctlCommand::MakeFolder:
        return RunMakeFolder(session, line);
    case KivctlCommand::Format:
        return RunFormat(session, line);
    case KivctlCommand::Backup:
        return RunBackup(session, line);
    case KivctlCommand::Restore:
        return RunRestore(session, line);
    case KivctlCommand::Watch:
        return RunWatch(session);
    case KivctlCommand::Cat:
        return RunCat(session, line);
    case KivctlCommand::WatchFolder:
        return RunWatchFolder(session, line);
    case KivctlCommand::Status:
        return RunStatus(session, line);
    case KivctlCommand::Port:
        return RunPort(session, line);
    default:
        return Refused(L"nothing to run", kExitUsage);
    }
}

void ReportFailure(const KivctlCommandLine& line, const std::wstring& text, HRESULT hr)
{
    WriteErrorLine(std::wstring(L"kivctl: ") + CommandName(line.command) + L": " + text + L" (" + HResultText(hr) +
                   L")");
}

}  // namespace

KivctlExitCode RunCommand(const KivctlCommandLine& line)
{
    CKivlinkSession session;
    HRESULT opened = E_UNEXPECTED;
    switch (ClassFor(line)) {
    case KivctlClass::Volume2:
        opened = session.Open();
        break;
    case KivctlClass::OneVolume:
        opened = session.OpenOneVolume();
        break;
    case KivctlClass::General:
        opened = session.OpenGeneral();
        break;
    }
    if (FAILED(opened)) {
        ReportFailure(line, L"Kivlink is not available: " + SystemMessage(opened), opened);
        return kExitNoKivlink;
    }
    const CommandOutcome outcome = Dispatch(session, line);
    if (SUCCEEDED(outcome.hr)) {
        return kExitSuccess;
    }
    if (!outcome.text.empty()) {
        ReportFailure(line, outcome.text, outcome.hr);
        return outcome.exitCode;
    }
    if (outcome.cancelled) {
        ReportFailure(line, L"cancelled", outcome.hr);
        return kExitCancelled;
    }
    ReportFailure(line, session.Describe(outcome.hr), outcome.hr);
    return ExitCodeForResult(outcome.hr);
}
