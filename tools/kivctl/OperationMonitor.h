// Follows one long operation through its events: draws the progress line (on a console a bar
// drawn over itself, in a log one line per 10% step), answers Ctrl+C
// with a cancel at the next progress event, and keeps the completion of an asynchronous
// operation until the waiting thread takes it.
#pragma once

#include <string>

#include "tools/kivctl/ConsoleInterrupt.h"
#include "tools/kivctl/EventObserver.h"
#include "tools/kivctl/LogProgress.h"

// How long an asynchronous wait goes on without any event, and how long it still waits for
// the completion after Ctrl+C.
struct OperationWaitLimits {
    DWORD silenceMs = 60000;
    DWORD cancelGraceMs = 30000;
};

class COperationMonitor final : public IKivctlEventObserver {
public:
    using WaitLimits = OperationWaitLimits;

    enum class WaitOutcome { Completed, Silent, CancelUnanswered };

    // `interrupt` may be null (no Ctrl+C handling); it must outlive the monitor.
    COperationMonitor(long action, std::wstring label, bool showProgress, const CConsoleInterrupt* interrupt,
                      WaitLimits limits = WaitLimits{});
    ~COperationMonitor();
    COperationMonitor(const COperationMonitor&) = delete;
    COperationMonitor& operator=(const COperationMonitor&) = delete;

    void OnDeviceConnected(const std::wstring& name, const std::wstring& information) override;
    void OnDeviceDisconnected(const std::wstring& name) override;
    bool OnProgress(long action, const std::wstring& path, long percentage) override;
    void OnCompletion(long action, const std::wstring& path, HRESULT result) override;

    bool Completed() const { return m_completed; }
    HRESULT CompletionResult() const { return m_result; }
    // Whether a progress answer asked the server to cancel.
    bool CancelAsked() const { return m_cancelAsked; }
    const WaitLimits& Limits() const { return m_limits; }

    // Pumps messages until the completion arrives, the operation has been silent too long,
    // or it did not end within the grace time after Ctrl+C.
    WaitOutcome WaitForCompletion();
    // Ends the progress line with a line break (once); a finished operation first shows 100%,
    // whatever the last event said, on a line of its own when no event drew one.
    void EndProgressLine(bool finished = false);

private:
    void Draw(long percentage);
    void DrawBar(long percentage);
    void PrintStep(long percentage);

    const long m_action;
    const std::wstring m_label;
    const bool m_showProgress;
    const CConsoleInterrupt* const m_interrupt;
    const WaitLimits m_limits;
    const bool m_toConsole;
    const size_t m_width;
    CLogProgressSteps m_logSteps;
    bool m_lineOpen = false;
    long m_lastDrawn = -1;
    bool m_cancelAsked = false;
    bool m_completed = false;
    HRESULT m_result = S_OK;
    ULONGLONG m_lastEvent;
};
