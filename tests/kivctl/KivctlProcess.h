#pragma once
// kivctl.exe run as a child process from a test, its standard output and error captured in
// files and read back as text.
#include <windows.h>

#include <string>

#include "com/UniqueHandle.h"

struct KivctlRun {
    long exitCode = -1;  // -1: did not end in time (it was then ended)
    std::wstring out;
    std::wstring err;
};

// Runs "kivctl.exe arguments" next to the test program and waits for it.
KivctlRun RunKivctl(const std::wstring& arguments, DWORD timeoutMs = 120000);

// A kivctl that runs while the test goes on, on a console of its own, so that a Ctrl+C can
// be sent to it alone.
class CKivctlChild {
public:
    explicit CKivctlChild(const std::wstring& arguments);
    ~CKivctlChild();
    CKivctlChild(const CKivctlChild&) = delete;
    CKivctlChild& operator=(const CKivctlChild&) = delete;

    bool Started() const { return m_process.valid(); }
    // What it has written to standard error so far.
    std::wstring ErrorSoFar() const;
    std::wstring OutputSoFar() const;
    // Attaches to its console for the moment of the event; this process ignores it.
    bool SendCtrlC() const;
    // Waits for its end; ends it after the time-out.
    KivctlRun Finish(DWORD timeoutMs);

private:
    std::wstring m_outPath;
    std::wstring m_errPath;
    tolv::com::unique_handle m_process;
    DWORD m_processId = 0;
};

// UTF-8 file content as text; empty when the file cannot be read.
std::wstring ReadUtf8File(const std::wstring& path);
