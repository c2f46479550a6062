#include "SimulatedPhone.h"

#include "AsciiText.h"

#include "tests/support/ChildProcess.h"

#include <windows.h>

#include <utility>

const wchar_t* const kBenchPhoneName = L"354812013456789";

namespace {

constexpr DWORD kVerbTimeoutMs = 60000;

}  // namespace

CSimulatedPhone::CSimulatedPhone(std::wstring root) : m_root(std::move(root)) {}

CSimulatedPhone::~CSimulatedPhone()
{
    Disconnect();
}

bool CSimulatedPhone::Verb(const std::wstring& arguments, std::string* output)
{
    CChildProcess verb(ProgramCommand(BinaryPath(L"phonesim.exe"), arguments), CChildProcess::kCaptureOutput);
    const long exitCode = verb.Wait(kVerbTimeoutMs);
    // A verb that hangs is left running: it may be inside a call to a COM server, and ending
    // it there could leave the server's registration behind.
    if (exitCode == CChildProcess::kStillRunning)
        verb.LetRun();
    const std::string printed = verb.Output();
    if (output)
        *output = printed;
    if (exitCode == 0)
        return true;
    m_problem = "phonesim " + Narrow(arguments) + " ended with " + std::to_string(exitCode) + ": " + printed;
    return false;
}

bool CSimulatedPhone::Connect()
{
    if (!Verb(L"connect --name " + std::wstring(kBenchPhoneName) + L" --root \"" + m_root + L"\""))
        return false;
    m_connected = true;
    // The rate belongs to the simulator's server and outlives the client that set it.
    if (!Verb(L"rate 0"))
        return false;
    if (!Verb(L"status", &m_status))
        return false;
    if (DriveFolder(L'E').empty()) {
        m_problem = "phonesim status shows no memory card: " + m_status;
        return false;
    }
    return true;
}

void CSimulatedPhone::Disconnect()
{
    if (m_connected)
        Verb(L"disconnect --name " + std::wstring(kBenchPhoneName));
    m_connected = false;
}

std::wstring CSimulatedPhone::DriveFolder(wchar_t letter) const
{
    return DriveFolderInStatus(m_status, kBenchPhoneName, letter);
}

std::wstring DriveFolderInStatus(const std::string& status, const std::wstring& phone, wchar_t letter)
{
    const std::string name = Narrow(phone) + " ";
    for (size_t line = 0; line < status.size();) {
        size_t end = status.find('\n', line);
        if (end == std::string::npos)
            end = status.size();
        std::string text = status.substr(line, end - line);
        line = end + 1;
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        if (text.compare(0, name.size(), name) != 0)
            continue;
        const std::string key = std::string(" ") + static_cast<char>(letter) + ":=\"";
        const size_t start = text.find(key);
        if (start == std::string::npos)
            return {};
        const size_t valueStart = start + key.size();
        const size_t valueEnd = text.find('"', valueStart);
        if (valueEnd == std::string::npos)
            return {};
        const std::string value = text.substr(valueStart, valueEnd - valueStart);
        const int length = MultiByteToWideChar(CP_ACP, 0, value.data(), static_cast<int>(value.size()), nullptr, 0);
        std::wstring wide(static_cast<size_t>(length), L'\0');
        MultiByteToWideChar(CP_ACP, 0, value.data(), static_cast<int>(value.size()), wide.data(), length);
        return wide;
    }
    return {};
}
