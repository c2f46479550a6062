// Completion: a blocked operation's waiter is woken with the result and finishes the work
// itself; an unblocked one has its post steps queued to the file worker, its client told,
// and its notification destroyed.
#include "OperationsFixture.h"
#include "tests/support/TestThread.h"

namespace {

using HandlerCompletion = OperationsTest;

TEST_F(HandlerCompletion, ABlockedOperationsWaiterGetsTheResultAndRemovesIt)
{
    tolv::com::unique_event registered;
    ASSERT_EQ(S_OK, registered.create(true, false));
    tolv::com::unique_event disconnected;
    ASSERT_EQ(S_OK, disconnected.create(true, false));
    HRESULT waited = E_PENDING;
    HRESULT result = E_PENDING;
    HRESULT removed = E_PENDING;
    TestThread fileWorkerWait([&] {
        CKivlinkNotificationPtr copy = Register(eBlocked, 21, &client);
        registered.set();
        waited = copy->WaitProgress(5000, disconnected.get());
        result = handler->Result(21);
        removed = handler->RemoveSymbianNotification(21);
    });
    ASSERT_TRUE(registered.wait(10000));
    VARIANT_BOOL response = VARIANT_TRUE;
    handler->HandleOperationEvent(Event(REQ_EV_COPY_PROGRESS, 21, 50, 0, &response), &fileWorker);
    EXPECT_EQ(S_OK, handler->HandleOperationEvent(Event(REQ_EV_COPY_COMPLETE, 21, E_ACCESSDENIED), &fileWorker));
    ASSERT_TRUE(fileWorkerWait.Join(10000));

    EXPECT_EQ(S_OK, waited);
    EXPECT_EQ(E_ACCESSDENIED, result);
    EXPECT_EQ(S_OK, removed);
    EXPECT_EQ(0u, handler->PendingCount());
    // The waiter runs the post steps and the method reports the end: nothing queued.
    EXPECT_TRUE(services.Posted(REQ_ON_COMPLETION).empty());
    EXPECT_TRUE(fileWorker.Executed(1, 200).empty());
    EXPECT_EQ(1u, services.Posted(REQ_ON_PROGRESS).size());
}

TEST_F(HandlerCompletion, AnUnblockedOperationQueuesItsPostStepsAndTellsTheClient)
{
    LONG live = CKivlinkNotification::LiveCount();
    CKivlinkNotificationPtr copy = Register(eMove | eNoOverwrite, 31, &client);
    EXPECT_EQ(S_OK, handler->SignalCompletion(31, S_OK));

    std::vector<CRequestData> steps = fileWorker.Executed(1);
    ASSERT_EQ(1u, steps.size());
    EXPECT_EQ(REQ_COPY_FROM_PC_POST_STEP, steps[0].m_typ);
    EXPECT_EQ(S_OK, steps[0].m_RetVal);
    EXPECT_EQ(eMove | eNoOverwrite, steps[0].m_firstIntegerArg);
    EXPECT_STREQ(L"D:\\Music\\song.mp3", steps[0].m_firstStringArg.c_str());
    EXPECT_STREQ(L"E:\\Sounds\\", steps[0].m_secondStringArg.c_str());
    EXPECT_EQ(static_cast<IKivlinkActionEventsCallback*>(&client), steps[0].m_Callback);
    // The starting request's poster has gone: nothing may write into its record or out slots.
    EXPECT_EQ(nullptr, steps[0].m_Response);
    for (void* out : steps[0].m_OutArg)
        EXPECT_EQ(nullptr, out);

    std::vector<CRequestData> completions = services.Posted(REQ_ON_COMPLETION);
    ASSERT_EQ(1u, completions.size());
    EXPECT_EQ(static_cast<IKivlinkActionEventsCallback*>(&client), completions[0].m_Callback);
    EXPECT_EQ(31, completions[0].m_firstIntegerArg);
    EXPECT_EQ(aidCopyFromPC, completions[0].m_secondIntegerArg);
    EXPECT_STREQ(L"D:\\Music\\song.mp3", completions[0].m_firstStringArg.c_str());
    EXPECT_EQ(S_OK, completions[0].m_thirdIntegerArg);

    // Off the list at once; destroyed when its last holder lets go.
    EXPECT_EQ(0u, handler->PendingCount());
    EXPECT_EQ(E_INVALIDARG, handler->Result(31));
    copy = nullptr;
    EXPECT_EQ(live, CKivlinkNotification::LiveCount());

    // A second completion for the same id finds nothing.
    EXPECT_EQ(E_UNEXPECTED, handler->SignalCompletion(31, S_OK));
    EXPECT_EQ(1u, services.Posted(REQ_ON_COMPLETION).size());
}

TEST_F(HandlerCompletion, TheClientLearnsOfAFailureOfTheOperationItself)
{
    CKivlinkNotificationPtr copy = Register(0, 32, &client);
    const HRESULT phoneFailure = static_cast<HRESULT>(0x8004F00A);
    handler->HandleOperationEvent(Event(REQ_EV_COPY_COMPLETE, 32, phoneFailure), &fileWorker);

    std::vector<CRequestData> steps = fileWorker.Executed(1);
    ASSERT_EQ(1u, steps.size());
    EXPECT_EQ(phoneFailure, steps[0].m_RetVal);
    std::vector<CRequestData> completions = services.Posted(REQ_ON_COMPLETION);
    ASSERT_EQ(1u, completions.size());
    EXPECT_EQ(phoneFailure, completions[0].m_thirdIntegerArg);
}

TEST_F(HandlerCompletion, PostStepsThatCannotBeQueuedAreReportedToTheClient)
{
    CKivlinkNotificationPtr copy = Register(0, 33, &client);
    ASSERT_EQ(S_OK, fileWorker.Stop());
    HRESULT hr = handler->SignalCompletion(33, S_OK);
    EXPECT_TRUE(FAILED(hr));
    std::vector<CRequestData> completions = services.Posted(REQ_ON_COMPLETION);
    ASSERT_EQ(1u, completions.size());
    EXPECT_EQ(hr, completions[0].m_thirdIntegerArg);
    EXPECT_EQ(0u, handler->PendingCount());
}

TEST_F(HandlerCompletion, ACompletionAfterTheWaiterGaveUpFindsNothing)
{
    CKivlinkNotificationPtr copy = Register(eBlocked, 41, &client);
    EXPECT_EQ(E_FAIL, copy->WaitProgress(50, nullptr));
    EXPECT_EQ(S_OK, handler->RemoveSymbianNotification(copy.get()));
    EXPECT_EQ(E_UNEXPECTED, handler->SignalCompletion(41, S_OK));
    EXPECT_EQ(E_INVALIDARG, handler->RemoveSymbianNotification(41));
    EXPECT_TRUE(services.Posted(REQ_ON_COMPLETION).empty());
}

TEST_F(HandlerCompletion, RemovingByNotificationTakesExactlyThatOne)
{
    // Two starts that never got an id: removal by id could not tell them apart.
    CKivlinkNotificationPtr first = Register(eBlocked, 0);
    CKivlinkNotificationPtr second = Register(eBlocked, 0);
    first->SetRequestId(0);
    second->SetRequestId(0);
    EXPECT_EQ(E_INVALIDARG, handler->RemoveSymbianNotification(0L));
    EXPECT_EQ(2u, handler->PendingCount());
    EXPECT_EQ(S_OK, handler->RemoveSymbianNotification(second.get()));
    EXPECT_EQ(1u, handler->PendingCount());
    EXPECT_EQ(E_INVALIDARG, handler->RemoveSymbianNotification(second.get()));
    EXPECT_EQ(S_OK, handler->RemoveSymbianNotification(first.get()));
    EXPECT_EQ(0u, handler->PendingCount());
}

TEST_F(HandlerCompletion, TheLastOfSeveralOperationsWithOneIdIsMatched)
{
    CKivlinkNotificationPtr older = Register(0, 50, &client);
    CKivlinkNotificationPtr newer = Register(eBlocked, 50, &client);
    EXPECT_EQ(S_OK, handler->SignalCompletion(50, E_ABORT));
    EXPECT_EQ(S_OK, newer->WaitProgress(1000, nullptr));
    EXPECT_EQ(E_ABORT, newer->Result());
    EXPECT_EQ(static_cast<HRESULT>(KIV_E_SCQIRESPONSETIMEOUT), older->Result());
}

TEST_F(HandlerCompletion, AHandlerGoingAwayLetsGoOfItsOperations)
{
    LONG live = CKivlinkNotification::LiveCount();
    Register(0, 60);
    Register(eBlocked, 61);
    CKivlinkNotificationPtr held = Register(eBlocked, 62);
    EXPECT_EQ(live + 3, CKivlinkNotification::LiveCount());
    handler.reset();
    // A waiter that still holds its operation keeps it.
    EXPECT_EQ(live + 1, CKivlinkNotification::LiveCount());
    EXPECT_EQ(S_OK, held->SignalCompletion(S_OK));
    EXPECT_EQ(S_OK, held->WaitProgress(1000, nullptr));
    held = nullptr;
    EXPECT_EQ(live, CKivlinkNotification::LiveCount());
}

}  // namespace

TEST_F(HandlerCompletion, AnUnblockedOperationWhosePhoneWentAwayEndsAndItsClientIsTold)
{
    CKivlinkNotificationPtr blocked = Register(eBlocked, 41, &client);
    CKivlinkNotificationPtr starting = Register(0, 0, &client);
    CKivlinkNotificationPtr unblocked = Register(eMove, 42, &client);
    // It has just started: not silent for the inactivity time-out.
    EXPECT_EQ(0u, handler->EndAbandonedOperations(KIV_E_TIMEOUT, KIV_PROGRESS_INACTIVITY_TIMEOUT_MS));
    EXPECT_TRUE(services.Posted(REQ_ON_COMPLETION).empty());

    EXPECT_EQ(1u, handler->EndAbandonedOperations(KIV_E_BADCONNECTION, 0));
    std::vector<CRequestData> completions = services.Posted(REQ_ON_COMPLETION);
    ASSERT_EQ(1u, completions.size());
    EXPECT_EQ(42, completions[0].m_firstIntegerArg);
    EXPECT_EQ(KIV_E_BADCONNECTION, static_cast<HRESULT>(completions[0].m_thirdIntegerArg));
    // The post steps run with the failure, so a move keeps its source.
    std::vector<CRequestData> steps = fileWorker.Executed(1);
    ASSERT_EQ(1u, steps.size());
    EXPECT_EQ(KIV_E_BADCONNECTION, steps[0].m_RetVal);

    // The blocked one belongs to its waiter; the one still starting has no id to end yet.
    EXPECT_EQ(2u, handler->PendingCount());
    EXPECT_EQ(E_UNEXPECTED, handler->SignalCompletion(42, S_OK));
    EXPECT_EQ(1u, services.Posted(REQ_ON_COMPLETION).size());
    handler->RemoveSymbianNotification(41);
    handler->RemoveSymbianNotification(starting.get());
}
