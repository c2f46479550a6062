#pragma once
// kivctl.exe run as a child process from a test, its standard output and error read back as
// text.
#include "tests/support/ChildProcess.h"

#include <string>

struct KivctlRun {
    long exitCode = -1;  // -1: did not end in time (it was then ended)
    std::wstring out;
    std::wstring err;
    // Standard output as it came, for binary output.
    std::string outBytes;
};

// Runs "kivctl.exe arguments" next to the test program and waits for it.
KivctlRun RunKivctl(const std::wstring& arguments, DWORD timeoutMs = 120000);

// A kivctl that runs while the test goes on, on a console of its own, so that a Ctrl+C can
// be sent to it alone.
class CKivctlChild {
public:
    explicit CKivctlChild(const std::wstring& arguments);

    bool Started() const { return m_child.Started(); }
    std::wstring ErrorSoFar() const;
    std::wstring OutputSoFar() const;
    bool SendCtrlC() const { return m_child.SendCtrlC(); }
    // Waits for its end; ends it after the time-out.
    KivctlRun Finish(DWORD timeoutMs);

private:
    CChildProcess m_child;
};
