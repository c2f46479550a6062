// When the delayed calls come: after the hold time since each registration's own last
// change, merged, and for every waiting registration, not only the first.
#include "NotificationFixture.h"

namespace {

constexpr DWORD HOLD_MS = CKivNotificationHandler::HOLD_TIME_MS;
// GetTickCount moves in steps of up to this much.
constexpr DWORD TICK_STEP_MS = 16;
// What a busy test machine may add to a call's time.
constexpr DWORD LATE_MS = 400;

}  // namespace

using DeliveryTiming = NotificationFixture;

TEST_F(DeliveryTiming, ChangesInQuickSuccessionGiveOneCallAHoldTimeAfterTheLast)
{
    auto sink = Sink(L"sink");
    Register(L"\\Images\\", sink.get());

    ASSERT_EQ(handler.OnFolderChanged(L"C:\\Images\\", false), S_OK);
    Sleep(40);
    ASSERT_EQ(handler.OnFolderChanged(L"C:\\Images\\", false), S_OK);
    Sleep(40);
    const DWORD last = GetTickCount();
    ASSERT_EQ(handler.OnFolderChanged(L"C:\\Images\\", false), S_OK);

    ASSERT_TRUE(log.WaitForCalls(1));
    Sleep(SETTLE_MS);
    const std::vector<SinkCall> calls = log.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_GE(calls[0].tick - last, HOLD_MS - TICK_STEP_MS);
    EXPECT_LE(calls[0].tick - last, HOLD_MS + LATE_MS);
}

TEST_F(DeliveryTiming, EveryChangedFolderIsCalledAfterItsOwnHoldTime)
{
    auto early = Sink(L"early");
    auto late = Sink(L"late");
    auto later = Sink(L"later");
    Register(L"\\A\\", early.get());
    Register(L"\\B\\", late.get());
    Register(L"\\C\\", later.get());

    // Only the first change wakes the thread: the others must still be reported.
    const DWORD first = GetTickCount();
    ASSERT_EQ(handler.OnFolderChanged(L"C:\\A\\", false), S_OK);
    Sleep(100);
    const DWORD second = GetTickCount();
    ASSERT_EQ(handler.OnFolderChanged(L"C:\\B\\", false), S_OK);
    ASSERT_EQ(handler.OnFolderChanged(L"C:\\C\\", false), S_OK);

    ASSERT_TRUE(log.WaitForCalls(3));
    const std::vector<SinkCall> calls = log.Calls();
    EXPECT_EQ(SinksCalled(calls), (std::vector<std::wstring>{L"early", L"late", L"later"}));
    EXPECT_GE(calls[0].tick - first, HOLD_MS - TICK_STEP_MS);
    EXPECT_GE(calls[1].tick - second, HOLD_MS - TICK_STEP_MS);
    EXPECT_GE(calls[2].tick - second, HOLD_MS - TICK_STEP_MS);
    EXPECT_LE(calls[2].tick - second, HOLD_MS + LATE_MS);
}

TEST_F(DeliveryTiming, AFolderChangedAgainWhileFirstInLineWaitsItsNewHoldTime)
{
    auto again = Sink(L"again");
    auto once = Sink(L"once");
    Register(L"\\A\\", again.get());
    Register(L"\\B\\", once.get());

    ASSERT_EQ(handler.OnFolderChanged(L"C:\\A\\", false), S_OK);
    Sleep(50);
    const DWORD onceChanged = GetTickCount();
    ASSERT_EQ(handler.OnFolderChanged(L"C:\\B\\", false), S_OK);
    Sleep(100);
    // A, first in line and nearly due, goes behind B and starts its quiet time again.
    const DWORD restarted = GetTickCount();
    ASSERT_EQ(handler.OnFolderChanged(L"C:\\A\\", false), S_OK);

    ASSERT_TRUE(log.WaitForCalls(2));
    Sleep(SETTLE_MS);
    const std::vector<SinkCall> calls = log.Calls();
    EXPECT_EQ(SinksCalled(calls), (std::vector<std::wstring>{L"once", L"again"}));
    EXPECT_GE(calls[0].tick - onceChanged, HOLD_MS - TICK_STEP_MS);
    EXPECT_GE(calls[1].tick - restarted, HOLD_MS - TICK_STEP_MS);
}
