// What the host tests share: the sample plug-in listed under the host's plug-ins key for the
// length of a test, its call log, and the host program started and found.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "tests/support/ChildProcess.h"

// Plug-ins listed under HKCU kPlugInsKey for the length of a test, in place of those the machine
// has: each entry is removed again at the end, the machine's are put back, and the key goes
// when the test made it.
class CPlugInListing {
public:
    CPlugInListing();
    ~CPlugInListing();
    CPlugInListing(const CPlugInListing&) = delete;
    CPlugInListing& operator=(const CPlugInListing&) = delete;

    // An empty clsid lists a plug-in without a class identifier.
    void Add(const std::wstring& name, const std::wstring& clsid, const std::wstring& description);

private:
    struct Entry {
        std::wstring name;
        std::wstring clsid;
        std::wstring description;
    };

    std::vector<std::wstring> m_added;
    std::vector<Entry> m_setAside;
    bool m_keyWasThere;
};

// The sample plug-in's call log, a fresh file named in this process's environment so that the
// host started from here passes it to the plug-in; removed at the end with its refusal file.
class CCallLog {
public:
    CCallLog();
    ~CCallLog();
    CCallLog(const CCallLog&) = delete;
    CCallLog& operator=(const CCallLog&) = delete;

    std::vector<std::wstring> Lines() const;
    // Lines of one plug-in (its page name) with that call, arguments cut off at the call.
    std::vector<std::wstring> ArgumentsOf(const std::wstring& pageName, const std::wstring& call) const;
    // Polls until the plug-in has recorded that call with those arguments, up to about ten seconds.
    bool WaitFor(const std::wstring& pageName, const std::wstring& call, const std::wstring& arguments) const;
    // While refusing, the plug-ins answer CanCloseWindow with VARIANT_FALSE.
    void RefuseClosing(bool refuse);

private:
    std::wstring m_path;
};

// PellaryHost.exe started with these arguments, its window once it shows.
class CHostProcess {
public:
    explicit CHostProcess(const std::wstring& arguments);
    ~CHostProcess();

    CChildProcess& Process() { return *m_process; }
    // Waits for the window to show; null when it did not.
    HWND WaitForWindow();
    HWND Window() const { return m_window; }
    HWND Button(size_t index) const;
    // kPlugInButtonStateMessage's answer.
    LRESULT ButtonState(size_t index) const;
    bool WaitForButtonState(size_t index, LRESULT state) const;
    // Asks the window to close (IDCANCEL); its exit code, or CChildProcess::kStillRunning.
    long Close();

private:
    std::unique_ptr<CChildProcess> m_process;
    HWND m_window = nullptr;
};

inline constexpr wchar_t kSampleName[] = L"HostSample";
inline constexpr wchar_t kSamplePageName[] = L"Sample plug-in page";
