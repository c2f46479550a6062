#include "tools/kivctl/OperationMonitor.h"

#include <utility>

#include "tools/kivctl/ConsoleOutput.h"
#include "tools/kivctl/MessagePump.h"
#include "tools/kivctl/ProgressBar.h"

namespace {

// How often the asynchronous wait looks at the clock and the Ctrl+C flag.
constexpr DWORD kWaitSliceMs = 250;

}  // namespace

COperationMonitor::COperationMonitor(long action, std::wstring label, bool showProgress,
                                     const CConsoleInterrupt* interrupt, WaitLimits limits)
    : m_action(action),
      m_label(std::move(label)),
      m_showProgress(showProgress),
      m_interrupt(interrupt),
      m_limits(limits),
      m_toConsole(ErrorIsConsole()),
      // One column less than the console, so that the line never wraps.
      m_width(ErrorConsoleWidth() - 1),
      m_lastEvent(GetTickCount64())
{
}

COperationMonitor::~COperationMonitor()
{
    EndProgressLine();
}

void COperationMonitor::OnDeviceConnected(const std::wstring&, const std::wstring&) {}

void COperationMonitor::OnDeviceDisconnected(const std::wstring&) {}

bool COperationMonitor::OnProgress(long action, const std::wstring&, long percentage)
{
    if (action != m_action) {
        return false;
    }
    m_lastEvent = GetTickCount64();
    Draw(percentage);
    if (m_interrupt != nullptr && m_interrupt->Requested()) {
        m_cancelAsked = true;
    }
    return m_cancelAsked;
}

void COperationMonitor::OnCompletion(long action, const std::wstring&, HRESULT result)
{
    if (action != m_action || m_completed) {
        return;
    }
    m_lastEvent = GetTickCount64();
    m_completed = true;
    m_result = result;
    if (SUCCEEDED(result)) {
        Draw(100);
    }
}

void COperationMonitor::Draw(long percentage)
{
    if (!m_showProgress) {
        return;
    }
    if (m_toConsole) {
        DrawBar(percentage);
    } else {
        PrintStep(percentage);
    }
}

void COperationMonitor::PrintStep(long percentage)
{
    if (const std::optional<long> step = m_logSteps.Next(percentage)) {
        WriteErrorLine(RenderLogProgressLine(m_label, *step));
    }
}

void COperationMonitor::DrawBar(long percentage)
{
    if (percentage == m_lastDrawn) {
        return;
    }
    m_lastDrawn = percentage;
    m_lineOpen = true;
    WriteError(L"\r" + RenderProgressLine(m_label, percentage, m_width));
}

void COperationMonitor::EndProgressLine(bool finished)
{
    // A finished operation ends on a full bar, also when its progress notices are still on
    // their way (a short blocked operation returns before Kivlink has passed them on).
    if (finished) {
        Draw(100);
    }
    if (m_lineOpen) {
        m_lineOpen = false;
        WriteError(L"\n");
    }
}

COperationMonitor::WaitOutcome COperationMonitor::WaitForCompletion()
{
    ULONGLONG interruptedAt = 0;
    for (;;) {
        const bool interrupted = m_interrupt != nullptr && m_interrupt->Requested();
        // Once seen, the set event would wake every slice at once: wait on messages only.
        const HANDLE wake = interrupted || m_interrupt == nullptr ? nullptr : m_interrupt->Event();
        if (PumpMessagesUntil([this] { return m_completed; }, wake, kWaitSliceMs)) {
            return WaitOutcome::Completed;
        }
        const ULONGLONG now = GetTickCount64();
        if (m_interrupt != nullptr && m_interrupt->Requested()) {
            if (interruptedAt == 0) {
                interruptedAt = now;
            } else if (now - interruptedAt >= m_limits.cancelGraceMs) {
                return WaitOutcome::CancelUnanswered;
            }
        }
        if (now - m_lastEvent >= m_limits.silenceMs) {
            return WaitOutcome::Silent;
        }
    }
}
