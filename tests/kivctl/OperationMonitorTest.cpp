#include "tools/kivctl/OperationMonitor.h"

#include <gtest/gtest.h>

#include "KivlinkLib.h"

namespace {

// Delivers a completion from the message loop, as an incoming COM call would arrive.
COperationMonitor* g_monitorForTimer = nullptr;

void CALLBACK CompleteFromTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    g_monitorForTimer->OnCompletion(aidCopyToPC, L"C:\\a.mp3", static_cast<HRESULT>(0x80070070));
}

COperationMonitor::WaitLimits ShortLimits()
{
    COperationMonitor::WaitLimits limits;
    limits.silenceMs = 600;
    limits.cancelGraceMs = 300;
    return limits;
}

}  // namespace

TEST(KivctlOperationMonitor, CancelsAtTheNextProgressAfterCtrlC)
{
    CConsoleInterrupt interrupt;
    COperationMonitor monitor(aidCopyFromPC, L"put a.mp3", false, &interrupt);
    EXPECT_FALSE(monitor.OnProgress(aidCopyFromPC, L"Z:\\a.mp3", 10));
    EXPECT_FALSE(monitor.CancelAsked());
    interrupt.Request();
    // Another operation's progress is not this one's to cancel.
    EXPECT_FALSE(monitor.OnProgress(aidFormat, L"E:", 10));
    EXPECT_TRUE(monitor.OnProgress(aidCopyFromPC, L"Z:\\a.mp3", 20));
    EXPECT_TRUE(monitor.CancelAsked());
    EXPECT_TRUE(monitor.OnProgress(aidCopyFromPC, L"Z:\\a.mp3", 20));
}

TEST(KivctlOperationMonitor, KeepsTheFirstCompletionOfItsOwnAction)
{
    COperationMonitor monitor(aidBackup, L"backup C:", false, nullptr);
    monitor.OnCompletion(aidRestore, L"C:", E_FAIL);
    EXPECT_FALSE(monitor.Completed());
    monitor.OnCompletion(aidBackup, L"C:", E_ABORT);
    monitor.OnCompletion(aidBackup, L"C:", S_OK);
    EXPECT_TRUE(monitor.Completed());
    EXPECT_EQ(monitor.CompletionResult(), E_ABORT);
}

TEST(KivctlOperationMonitor, WaitDispatchesMessagesUntilTheCompletionArrives)
{
    COperationMonitor monitor(aidCopyToPC, L"get a.mp3", false, nullptr, ShortLimits());
    g_monitorForTimer = &monitor;
    ASSERT_NE(SetTimer(nullptr, 0, 50, &CompleteFromTimer), 0u);
    EXPECT_EQ(monitor.WaitForCompletion(), COperationMonitor::WaitOutcome::Completed);
    EXPECT_EQ(monitor.CompletionResult(), static_cast<HRESULT>(0x80070070));
    g_monitorForTimer = nullptr;

    // A completion that came in during the starting call ends the wait at once.
    COperationMonitor early(aidFormat, L"format E:", false, nullptr, ShortLimits());
    early.OnCompletion(aidFormat, L"E:", S_OK);
    EXPECT_EQ(early.WaitForCompletion(), COperationMonitor::WaitOutcome::Completed);
}

TEST(KivctlOperationMonitor, WaitGivesUpOnSilenceAndOnAnUnansweredCancel)
{
    COperationMonitor silent(aidFormat, L"format E:", false, nullptr, ShortLimits());
    EXPECT_EQ(silent.WaitForCompletion(), COperationMonitor::WaitOutcome::Silent);

    CConsoleInterrupt interrupt;
    COperationMonitor cancelled(aidFormat, L"format E:", false, &interrupt, ShortLimits());
    interrupt.Request();
    EXPECT_EQ(cancelled.WaitForCompletion(), COperationMonitor::WaitOutcome::CancelUnanswered);
}

TEST(KivctlConsoleInterrupt, RequestSetsFlagAndEventAndOnlyOneHandlerIsInstalled)
{
    CConsoleInterrupt first;
    EXPECT_TRUE(first.Installed());
    EXPECT_FALSE(first.Requested());
    EXPECT_EQ(WaitForSingleObject(first.Event(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    {
        CConsoleInterrupt second;
        EXPECT_FALSE(second.Installed());
    }
    first.Request();
    EXPECT_TRUE(first.Requested());
    EXPECT_EQ(WaitForSingleObject(first.Event(), 0), static_cast<DWORD>(WAIT_OBJECT_0));
    CConsoleInterrupt later;
    EXPECT_FALSE(later.Installed());
}
