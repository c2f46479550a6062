// The wait of a blocked operation: completion, the inactivity time-out that every progress
// report restarts, and the disconnect that ends it.
#include "tests/support/TestThread.h"

#include "Components/Kivlink/operations/KivlinkNotification.h"

#include "KivlinkLib.h"

#include <gtest/gtest.h>

namespace {

CKivlinkNotificationPtr Blocked()
{
    CRequestData postStep(REQ_FORMAT_POST_STEP);
    postStep.m_firstStringArg = L"E:\\";
    postStep.m_firstIntegerArg = eBlocked;
    CKivlinkNotification* created = nullptr;
    EXPECT_EQ(S_OK, CKivlinkNotification::Create(aidFormat, L"E:\\", postStep, nullptr, &created));
    CKivlinkNotificationPtr notification;
    notification.attach(created);
    return notification;
}

tolv::com::unique_event ManualEvent()
{
    tolv::com::unique_event event;
    EXPECT_EQ(S_OK, event.create(true, false));
    return event;
}

TEST(NotificationWait, CompletionBeforeTheWaitEndsItAtOnceAndOnlyOnce)
{
    CKivlinkNotificationPtr operation = Blocked();
    ASSERT_TRUE(operation);
    EXPECT_EQ(static_cast<HRESULT>(KIV_E_SCQIRESPONSETIMEOUT), operation->Result());

    EXPECT_EQ(S_OK, operation->SignalCompletion(E_ACCESSDENIED));
    EXPECT_EQ(S_OK, operation->WaitProgress(10000, nullptr));
    EXPECT_EQ(E_ACCESSDENIED, operation->Result());

    // The wait has taken the completion: its events are gone, and late events are refused
    // instead of touching them.
    EXPECT_EQ(E_FAIL, operation->WaitProgress(10, nullptr));
    EXPECT_EQ(E_UNEXPECTED, operation->SignalCompletion(S_OK));
    EXPECT_EQ(E_FAIL, operation->SignalProgress(50));
    EXPECT_EQ(E_ACCESSDENIED, operation->Result());
}

TEST(NotificationWait, EveryProgressReportRestartsTheInactivityTimeout)
{
    CKivlinkNotificationPtr operation = Blocked();
    const DWORD timeoutMs = 400;
    const int reports = 20;
    const DWORD intervalMs = 50;
    DWORD reportingMs = 0;
    TestThread phone([&] {
        DWORD start = GetTickCount();
        for (int i = 1; i <= reports; ++i) {
            Sleep(intervalMs);
            operation->SignalProgress(i * 6);
        }
        reportingMs = GetTickCount() - start;
        operation->SignalCompletion(S_OK);
    });
    EXPECT_EQ(S_OK, operation->WaitProgress(timeoutMs, nullptr));
    ASSERT_TRUE(phone.Join());
    // The operation was active for longer than one time-out: only the restarts kept it.
    EXPECT_GT(reportingMs, 2 * timeoutMs);
    EXPECT_EQ(S_OK, operation->Result());
}

TEST(NotificationWait, AnOperationThatFallsSilentFails)
{
    CKivlinkNotificationPtr operation = Blocked();
    TestThread phone([&] {
        for (int i = 1; i <= 3; ++i) {
            Sleep(30);
            operation->SignalProgress(i);
        }
    });
    EXPECT_EQ(E_FAIL, operation->WaitProgress(300, nullptr));
    ASSERT_TRUE(phone.Join());
    EXPECT_EQ(static_cast<HRESULT>(KIV_E_SCQIRESPONSETIMEOUT), operation->Result());

    // A completion that comes after the waiter gave up is still taken without harm.
    EXPECT_EQ(S_OK, operation->SignalCompletion(S_OK));
}

TEST(NotificationWait, DisconnectEndsTheWaitWithBadConnection)
{
    CKivlinkNotificationPtr operation = Blocked();
    tolv::com::unique_event disconnected = ManualEvent();
    TestThread binding([&] {
        Sleep(100);
        operation->SignalProgress(10);
        Sleep(100);
        disconnected.set();
    });
    EXPECT_EQ(static_cast<HRESULT>(KIV_E_BADCONNECTION), operation->WaitProgress(20000, disconnected.get()));
    ASSERT_TRUE(binding.Join());

    // The next operation finds the phone already gone and does not wait at all.
    CKivlinkNotificationPtr next = Blocked();
    EXPECT_EQ(static_cast<HRESULT>(KIV_E_BADCONNECTION), next->WaitProgress(20000, disconnected.get()));
}

TEST(NotificationWait, ACompletionThatCameWithTheDisconnectWins)
{
    CKivlinkNotificationPtr operation = Blocked();
    tolv::com::unique_event disconnected = ManualEvent();
    disconnected.set();
    operation->SignalCompletion(S_FALSE);
    EXPECT_EQ(S_OK, operation->WaitProgress(20000, disconnected.get()));
    EXPECT_EQ(S_FALSE, operation->Result());
}

TEST(NotificationWait, WaitingWithTheServerDefaultOutlivesThirtySecondsOfReportsThenFailsOnSilence)
{
    CKivlinkNotificationPtr operation = Blocked();
    const DWORD reportingMs = 32000;
    DWORD start = GetTickCount();
    TestThread phone([&] {
        for (int i = 1; i <= 4; ++i) {
            Sleep(reportingMs / 4);
            operation->SignalProgress(i * 20);
        }
    });
    EXPECT_EQ(E_FAIL, operation->WaitProgress(KIV_PROGRESS_INACTIVITY_TIMEOUT_MS, nullptr));
    DWORD elapsed = GetTickCount() - start;
    ASSERT_TRUE(phone.Join());
    // Alive through the reports, given up a whole time-out after the last one.
    EXPECT_GE(elapsed + 100, reportingMs + KIV_PROGRESS_INACTIVITY_TIMEOUT_MS);
}

}  // namespace
