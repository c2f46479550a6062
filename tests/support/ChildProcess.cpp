#include "tests/support/ChildProcess.h"

#include <tlhelp32.h>

#include <atomic>

using tolv::com::unique_handle;

namespace {

unique_handle Inheritable(const std::wstring& path, DWORD access, DWORD disposition)
{
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return unique_handle(CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     &inherit, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// A fresh file for one stream of one child. Process ids come back, and a capture file of an
// earlier test program can still be held by a server that inherited it, its deletion pending:
// such a name cannot be created again, so the next one is taken.
unique_handle CreateCaptureFile(const wchar_t* stream, std::wstring& path)
{
    static std::atomic<int> s_children{0};
    constexpr int kNamesTried = 64;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    for (int attempt = 0; attempt < kNamesTried; ++attempt) {
        path = std::wstring(temp) + L"child-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(++s_children) + L"." + stream;
        unique_handle file = Inheritable(path, GENERIC_WRITE, CREATE_NEW);
        if (file)
            return file;
    }
    path.clear();
    return {};
}

std::string ReadWhole(const std::wstring& path)
{
    std::string bytes;
    if (path.empty())
        return bytes;
    const unique_handle file(CreateFileW(path.c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                         0, nullptr));
    char buffer[4096];
    DWORD read = 0;
    while (file && ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    return bytes;
}

BOOL WINAPI IgnoreCtrlC(DWORD kind)
{
    return kind == CTRL_C_EVENT ? TRUE : FALSE;
}

}  // namespace

std::wstring BinaryPath(const wchar_t* fileName)
{
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring path(self, length);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + fileName;
}

std::wstring ProgramCommand(const std::wstring& program, const std::wstring& arguments)
{
    return L"\"" + program + L"\" " + arguments;
}

CChildProcess::CChildProcess(const std::wstring& commandLine, unsigned options)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    unique_handle input;
    unique_handle output;
    unique_handle errors;
    if (options & kCaptureOutput) {
        output = CreateCaptureFile(L"out", m_outputPath);
        if (options & kErrorsApart)
            errors = CreateCaptureFile(L"err", m_errorsPath);
        input = Inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
        if (!output || ((options & kErrorsApart) && !errors))
            return;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = input.get();
        startup.hStdOutput = output.get();
        startup.hStdError = errors ? errors.get() : output.get();
    }
    // A captured child needs no console of ours: the test's Ctrl+C stays the test's.
    const DWORD creation = (options & kOwnConsole)      ? CREATE_NEW_CONSOLE
                           : (options & kCaptureOutput) ? CREATE_NO_WINDOW
                                                        : 0;
    std::wstring line = commandLine;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, (options & kCaptureOutput) ? TRUE : FALSE, creation,
                        nullptr, nullptr, &startup, &started))
        return;
    CloseHandle(started.hThread);
    m_process.reset(started.hProcess);
    m_id = started.dwProcessId;
}

CChildProcess::~CChildProcess()
{
    Finish(0);
    if (!m_outputPath.empty())
        DeleteFileW(m_outputPath.c_str());
    if (!m_errorsPath.empty())
        DeleteFileW(m_errorsPath.c_str());
}

long CChildProcess::Wait(DWORD timeoutMs) const
{
    if (!m_process)
        return kNotStarted;
    if (WaitForSingleObject(m_process.get(), timeoutMs) != WAIT_OBJECT_0)
        return kStillRunning;
    DWORD code = 0;
    GetExitCodeProcess(m_process.get(), &code);
    return static_cast<long>(code);
}

long CChildProcess::Finish(DWORD timeoutMs)
{
    const long result = Wait(timeoutMs);
    if (result == kStillRunning) {
        TerminateProcess(m_process.get(), 1);
        WaitForSingleObject(m_process.get(), 5000);
    }
    return result;
}

std::string CChildProcess::Output() const
{
    return ReadWhole(m_outputPath);
}

std::string CChildProcess::Errors() const
{
    return ReadWhole(m_errorsPath);
}

bool CChildProcess::SendCtrlC() const
{
    // A handler, not the inherited "ignore" flag, so that later children still take Ctrl+C.
    static const bool ignoring = SetConsoleCtrlHandler(&IgnoreCtrlC, TRUE) != FALSE;
    if (!m_process || !ignoring)
        return false;
    FreeConsole();
    if (!AttachConsole(m_id))
        return false;
    const bool sent = GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0) != FALSE;
    FreeConsole();
    return sent;
}

long RunAndWait(const std::wstring& program, const std::wstring& arguments, DWORD timeoutMs)
{
    return CChildProcess(ProgramCommand(program, arguments)).Finish(timeoutMs);
}

std::vector<DWORD> ProcessIdsOf(const wchar_t* exeName)
{
    std::vector<DWORD> ids;
    const unique_handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return ids;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry))
        if (_wcsicmp(entry.szExeFile, exeName) == 0)
            ids.push_back(entry.th32ProcessID);
    return ids;
}

long WaitUntilGone(const wchar_t* exeName, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!ProcessIdsOf(exeName).empty()) {
        if (GetTickCount() - start >= timeoutMs)
            return -1;
        Sleep(50);
    }
    return static_cast<long>(GetTickCount() - start);
}
