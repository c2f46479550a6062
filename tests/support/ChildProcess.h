// Programs started from a test: a child process whose exit code and output are read back and
// which never outlives its test, and the processes of a program found by name.
#pragma once
#include "com/UniqueHandle.h"

#include <windows.h>

#include <string>
#include <vector>

// The path of a program built next to the test program.
std::wstring BinaryPath(const wchar_t* fileName);
// "\"program\" arguments".
std::wstring ProgramCommand(const std::wstring& program, const std::wstring& arguments);

class CChildProcess {
public:
    enum Options : unsigned {
        kCaptureOutput = 1,  // standard output and error, in arrival order, into Output()
        kErrorsApart = 2,  // with kCaptureOutput: standard error into Errors() instead
        kOwnConsole = 4,  // so that SendCtrlC reaches it alone
    };
    static constexpr long kStillRunning = -1;
    static constexpr long kNotStarted = -2;

    explicit CChildProcess(const std::wstring& commandLine, unsigned options = 0);
    // Ends the child when it still runs and was not let run.
    ~CChildProcess();
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;

    bool Started() const { return m_process.valid(); }
    // Its exit code, or kStillRunning after the time-out, or kNotStarted.
    long Wait(DWORD timeoutMs) const;
    // Wait that ends the child after the time-out.
    long Finish(DWORD timeoutMs);
    // For a child that may hang inside a call to a COM server, where ending it could leave
    // the server's registration behind.
    void LetRun() { m_process.reset(); }
    // What it has written so far.
    std::string Output() const;
    std::string Errors() const;
    // Attaches to its console for the moment of the event; this process ignores the event.
    bool SendCtrlC() const;

private:
    std::wstring m_outputPath;
    std::wstring m_errorsPath;
    tolv::com::unique_handle m_process;
    DWORD m_id = 0;
};

// program's exit code; CChildProcess::kStillRunning when it had to be ended after the
// time-out, kNotStarted.
long RunAndWait(const std::wstring& program, const std::wstring& arguments, DWORD timeoutMs = 60000);
std::vector<DWORD> ProcessIdsOf(const wchar_t* exeName);
// Waits until no process of that name is left; returns the time it took, or -1.
long WaitUntilGone(const wchar_t* exeName, DWORD timeoutMs);
