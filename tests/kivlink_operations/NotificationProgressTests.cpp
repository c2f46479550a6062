// One notification on its own: the request id published after the first event, the rule
// that cancels a phone repeating one progress value, and the notices it builds.
#include "tests/kivlink_core/FakeServerServices.h"
#include "SilentCallback.h"
#include "tests/support/TestThread.h"

#include "Components/Kivlink/operations/KivlinkNotification.h"

#include "KivlinkLib.h"

#include <gtest/gtest.h>

namespace {

CKivlinkNotificationPtr Backup(long flags, IKivlinkActionEventsCallback* client)
{
    CRequestData postStep(REQ_BACKUP_POST_STEP);
    postStep.m_firstStringArg = L"C:\\Backups\\phone.bak";
    postStep.m_secondStringArg = L"C:\\";
    postStep.m_firstIntegerArg = flags;
    postStep.m_Callback = client;
    CKivlinkNotification* created = nullptr;
    EXPECT_EQ(S_OK, CKivlinkNotification::Create(aidBackup, L"C:\\", postStep, nullptr, &created));
    CKivlinkNotificationPtr notification;
    notification.attach(created);
    return notification;
}

// Reports `value` `count` times; true when the break flag is set afterwards.
bool ReportsBreak(CKivlinkNotification* operation, long value, int count)
{
    for (int i = 0; i < count; ++i)
        operation->SignalProgress(value);
    return operation->IsBreakSet();
}

TEST(NotificationProgress, AnUnchangedValueIsToleratedAHundredTimesAfterItFirstCame)
{
    // The first report differs from the start value 0 and only starts the count.
    CKivlinkNotificationPtr copying = Backup(0, nullptr);
    EXPECT_FALSE(ReportsBreak(copying.get(), 7, 1 + KIV_PROGRESS_REPEAT_LIMIT));
    EXPECT_TRUE(ReportsBreak(copying.get(), 7, 1));

    // A phone stuck at 0 from the start repeats the start value with its very first report.
    CKivlinkNotificationPtr stuck = Backup(0, nullptr);
    EXPECT_FALSE(ReportsBreak(stuck.get(), 0, KIV_PROGRESS_REPEAT_LIMIT));
    EXPECT_TRUE(ReportsBreak(stuck.get(), 0, 1));

    // Any change starts counting anew.
    CKivlinkNotificationPtr moving = Backup(0, nullptr);
    EXPECT_FALSE(ReportsBreak(moving.get(), 5, 90));
    EXPECT_FALSE(ReportsBreak(moving.get(), 6, 1));
    EXPECT_FALSE(ReportsBreak(moving.get(), 6, 90));
    EXPECT_FALSE(ReportsBreak(moving.get(), 5, 90));
}

TEST(NotificationProgress, TheRequestIdIsAwaitedBrieflyWhenTheEventCameFirst)
{
    CKivlinkNotificationPtr operation = Backup(0, nullptr);
    EXPECT_EQ(0, operation->KnownRequestId());
    TestThread starter([&] {
        Sleep(150);
        operation->SetRequestId(4711);
    });
    EXPECT_EQ(4711, operation->GetRequestId());
    ASSERT_TRUE(starter.Join());

    // An id that does not come within the grace period reads as unknown.
    CKivlinkNotificationPtr neverStarted = Backup(0, nullptr);
    EXPECT_EQ(0, neverStarted->GetRequestId());
    // A start that failed publishes 0, and nobody waits for it any more.
    neverStarted->SetRequestId(0);
    EXPECT_EQ(0, neverStarted->GetRequestId());
}

TEST(NotificationProgress, NoticesGoToTheMainThreadOnlyWhenThereIsAClient)
{
    FakeServerServices services;
    SilentCallback client;
    CKivlinkNotificationPtr watched = Backup(0, &client);
    watched->SetRequestId(12);
    EXPECT_EQ(S_OK, watched->SendCompletionNotification(E_ABORT, services));
    std::vector<CRequestData> completions = services.Posted(REQ_ON_COMPLETION);
    ASSERT_EQ(1u, completions.size());
    EXPECT_EQ(static_cast<IKivlinkActionEventsCallback*>(&client), completions[0].m_Callback);
    EXPECT_EQ(12, completions[0].m_firstIntegerArg);
    EXPECT_EQ(aidBackup, completions[0].m_secondIntegerArg);
    EXPECT_STREQ(L"C:\\", completions[0].m_firstStringArg.c_str());
    EXPECT_EQ(E_ABORT, completions[0].m_thirdIntegerArg);
    EXPECT_EQ(nullptr, completions[0].m_pSource);

    CKivlinkNotificationPtr unwatched = Backup(0, nullptr);
    unwatched->SetRequestId(13);
    EXPECT_EQ(S_FALSE, unwatched->SendCompletionNotification(S_OK, services));
    EXPECT_EQ(S_FALSE, unwatched->SendProgressNotice(10, nullptr, services));
    EXPECT_EQ(1u, services.Posted(REQ_ON_COMPLETION).size());
    EXPECT_TRUE(services.Posted(REQ_ON_PROGRESS).empty());
}

}  // namespace
