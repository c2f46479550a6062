#include "tests/host/HostTestBench.h"

#include <cstdio>
#include <fstream>

#include "platform/host/HostProtocol.h"
#include "tests/host/SamplePlugInClass.h"
#include "tests/pagebase/PageTestHelpers.h"

using namespace host;

namespace {

constexpr DWORD kCloseWaitMs = 60000;

bool KeyExists(const wchar_t* path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

void SetString(HKEY key, const wchar_t* name, const std::wstring& value)
{
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

std::wstring ReadString(HKEY key, const wchar_t* name)
{
    wchar_t value[512] = {};
    DWORD size = sizeof(value);
    if (RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
        return {};
    }
    return value;
}

}  // namespace

CPlugInListing::CPlugInListing() : m_keyWasThere(KeyExists(kPlugInsKey))
{
    // The plug-ins registered on this machine (the suite's own) are set aside, so that the host
    // sees only the test's.
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kPlugInsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return;
    }
    wchar_t name[256] = {};
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(std::size(name));
        if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        HKEY entry = nullptr;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &entry) == ERROR_SUCCESS) {
            m_setAside.push_back(
                {name, ReadString(entry, kPlugInClsidValue), ReadString(entry, kPlugInDescriptionValue)});
            RegCloseKey(entry);
        }
    }
    RegCloseKey(key);
    for (const Entry& entry : m_setAside) {
        RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kPlugInsKey) + L"\\" + entry.name).c_str());
    }
}

CPlugInListing::~CPlugInListing()
{
    for (const std::wstring& name : m_added) {
        RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kPlugInsKey) + L"\\" + name).c_str());
    }
    for (const Entry& entry : m_setAside) {
        Add(entry.name, entry.clsid, entry.description);
    }
    if (!m_keyWasThere) {
        RegDeleteKeyW(HKEY_CURRENT_USER, kPlugInsKey);
    }
}

void CPlugInListing::Add(const std::wstring& name, const std::wstring& clsid, const std::wstring& description)
{
    HKEY key = nullptr;
    const std::wstring path = std::wstring(kPlugInsKey) + L"\\" + name;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    m_added.push_back(name);
    if (!clsid.empty()) {
        SetString(key, kPlugInClsidValue, clsid);
    }
    SetString(key, kPlugInDescriptionValue, description);
    RegCloseKey(key);
}

CCallLog::CCallLog()
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    m_path = std::wstring(temp) + L"PellaryHostCalls" + std::to_wstring(GetCurrentProcessId()) + L".log";
    DeleteFileW(m_path.c_str());
    RefuseClosing(false);
    SetEnvironmentVariableW(kCallLogVariable, m_path.c_str());
}

CCallLog::~CCallLog()
{
    SetEnvironmentVariableW(kCallLogVariable, nullptr);
    RefuseClosing(false);
    DeleteFileW(m_path.c_str());
}

std::vector<std::wstring> CCallLog::Lines() const
{
    std::vector<std::wstring> lines;
    FILE* file = _wfopen(m_path.c_str(), L"r");
    if (file == nullptr) {
        return lines;
    }
    wchar_t line[512];
    while (fgetws(line, static_cast<int>(std::size(line)), file) != nullptr) {
        std::wstring text(line);
        while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) {
            text.pop_back();
        }
        lines.push_back(text);
    }
    fclose(file);
    return lines;
}

std::vector<std::wstring> CCallLog::ArgumentsOf(const std::wstring& pageName, const std::wstring& call) const
{
    const std::wstring prefix = pageName + kLogSeparator + call;
    std::vector<std::wstring> found;
    for (const std::wstring& line : Lines()) {
        if (line == prefix) {
            found.emplace_back();
        } else if (line.rfind(prefix + kLogSeparator, 0) == 0) {
            found.push_back(line.substr(prefix.size() + 1));
        }
    }
    return found;
}

bool CCallLog::WaitFor(const std::wstring& pageName, const std::wstring& call, const std::wstring& arguments) const
{
    return WaitUntil([&] {
        for (const std::wstring& found : ArgumentsOf(pageName, call)) {
            if (found == arguments) {
                return true;
            }
        }
        return false;
    });
}

void CCallLog::RefuseClosing(bool refuse)
{
    const std::wstring refusal = m_path + kRefuseCloseSuffix;
    if (!refuse) {
        DeleteFileW(refusal.c_str());
        return;
    }
    std::ofstream(refusal.c_str()).put('\n');
}

CHostProcess::CHostProcess(const std::wstring& arguments)
    : m_process(std::make_unique<CChildProcess>(ProgramCommand(BinaryPath(kHostProgram), arguments),
                                                CChildProcess::kCaptureOutput))
{
}

CHostProcess::~CHostProcess()
{
    if (m_process->Wait(0) == CChildProcess::kStillRunning) {
        Close();
    }
    m_process->Finish(kCloseWaitMs);
}

HWND CHostProcess::WaitForWindow()
{
    m_window = ::WaitForWindow([] { return FindWindowW(L"#32770", kHostWindowTitle); });
    if (m_window != nullptr && !WaitUntil([&] { return IsWindowVisible(m_window) != FALSE; })) {
        m_window = nullptr;
    }
    return m_window;
}

HWND CHostProcess::Button(size_t index) const
{
    return GetDlgItem(m_window, kFirstPlugInButtonId + static_cast<int>(index));
}

LRESULT CHostProcess::ButtonState(size_t index) const
{
    return SendMessageW(m_window, RegisterWindowMessageW(kPlugInButtonStateMessage), index, 0);
}

bool CHostProcess::WaitForButtonState(size_t index, LRESULT state) const
{
    // A phone's arrival passes through the simulator, Kivlink and the proxy: longer than a window's.
    constexpr int kPolls = 4;
    for (int poll = 0; poll < kPolls; ++poll) {
        if (WaitUntil([&] { return ButtonState(index) == state; })) {
            return true;
        }
    }
    return false;
}

long CHostProcess::Close()
{
    if (IsWindow(m_window)) {
        PostMessageW(m_window, WM_COMMAND, IDCANCEL, 0);
    }
    return m_process->Wait(kCloseWaitMs);
}
