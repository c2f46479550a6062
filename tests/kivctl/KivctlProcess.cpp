#include "KivctlProcess.h"

#include <atomic>
#include <string>

#include "tests/kivlink_server/ServerProcess.h"

namespace {

std::atomic<int> g_runNumber{0};

std::wstring CaptureFileName(const wchar_t* stream)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"kivctl-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++g_runNumber) + L"." + stream;
}

HANDLE InheritableFile(const std::wstring& path)
{
    SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &security,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

BOOL WINAPI IgnoreCtrlC(DWORD kind)
{
    return kind == CTRL_C_EVENT ? TRUE : FALSE;
}

HANDLE InheritableNul()
{
    SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &security, OPEN_EXISTING, 0, nullptr);
}

}  // namespace

std::wstring ReadUtf8File(const std::wstring& path)
{
    tolv::com::unique_handle file(CreateFileW(path.c_str(), GENERIC_READ,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                              OPEN_EXISTING, 0, nullptr));
    if (!file) {
        return {};
    }
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    if (bytes.empty()) {
        return {};
    }
    const int size = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0) {
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
    }
    return text;
}

CKivctlChild::CKivctlChild(const std::wstring& arguments)
    : m_outPath(CaptureFileName(L"out")),
      m_errPath(CaptureFileName(L"err"))
{
    tolv::com::unique_handle out(InheritableFile(m_outPath));
    tolv::com::unique_handle err(InheritableFile(m_errPath));
    tolv::com::unique_handle in(InheritableNul());
    if (!out || !err) {
        return;
    }
    const std::wstring program = BinaryPath(L"kivctl.exe");
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in.get();
    startup.hStdOutput = out.get();
    startup.hStdError = err.get();
    PROCESS_INFORMATION started{};
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NEW_CONSOLE, nullptr,
                       nullptr, &startup, &started)) {
        CloseHandle(started.hThread);
        m_process.reset(started.hProcess);
        m_processId = started.dwProcessId;
    }
}

CKivctlChild::~CKivctlChild()
{
    if (m_process) {
        Finish(30000);
    }
    DeleteFileW(m_outPath.c_str());
    DeleteFileW(m_errPath.c_str());
}

std::wstring CKivctlChild::ErrorSoFar() const
{
    return ReadUtf8File(m_errPath);
}

std::wstring CKivctlChild::OutputSoFar() const
{
    return ReadUtf8File(m_outPath);
}

bool CKivctlChild::SendCtrlC() const
{
    // A handler, not the inherited "ignore" flag, so that later children still take Ctrl+C.
    static const bool ignoring = SetConsoleCtrlHandler(&IgnoreCtrlC, TRUE) != FALSE;
    if (m_processId == 0 || !ignoring) {
        return false;
    }
    FreeConsole();
    if (!AttachConsole(m_processId)) {
        return false;
    }
    const bool sent = GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0) != FALSE;
    FreeConsole();
    return sent;
}

KivctlRun CKivctlChild::Finish(DWORD timeoutMs)
{
    KivctlRun run;
    if (!m_process) {
        return run;
    }
    if (WaitForSingleObject(m_process.get(), timeoutMs) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(m_process.get(), &code);
        run.exitCode = static_cast<long>(code);
    } else {
        // kivctl is a client: ending it leaves no registration behind.
        TerminateProcess(m_process.get(), 99);
        WaitForSingleObject(m_process.get(), 5000);
    }
    m_process.reset();
    run.out = OutputSoFar();
    run.err = ErrorSoFar();
    return run;
}

KivctlRun RunKivctl(const std::wstring& arguments, DWORD timeoutMs)
{
    CKivctlChild child(arguments);
    return child.Finish(timeoutMs);
}
