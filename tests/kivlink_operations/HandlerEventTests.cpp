// The notification thread's side: progress events matched by request id, the notices the
// main thread gets, the answers the phone gets, and cancel.
#include "OperationsFixture.h"
#include "tests/support/TestThread.h"

namespace {

class HandlerEvents : public OperationsTest {
protected:
    // Only ever named as the source of progress notices.
    PostStepWorker notificationThread{services};
};

TEST_F(HandlerEvents, ProgressReachesTheMainThreadWithTheClientAndTheSource)
{
    CKivlinkNotificationPtr copy = Register(0, 7, &client);
    VARIANT_BOOL response = VARIANT_TRUE;
    EXPECT_EQ(S_OK,
              handler->HandleOperationEvent(Event(REQ_EV_COPY_PROGRESS, 7, 42, 0, &response), &notificationThread));
    EXPECT_EQ(VARIANT_FALSE, response);

    std::vector<CRequestData> notices = services.Posted(REQ_ON_PROGRESS);
    ASSERT_EQ(1u, notices.size());
    EXPECT_EQ(static_cast<IKivlinkActionEventsCallback*>(&client), notices[0].m_Callback);
    EXPECT_EQ(&notificationThread, notices[0].m_pSource);
    EXPECT_EQ(7, notices[0].m_firstIntegerArg);
    EXPECT_EQ(aidCopyFromPC, notices[0].m_secondIntegerArg);
    EXPECT_STREQ(L"D:\\Music\\song.mp3", notices[0].m_firstStringArg.c_str());
    EXPECT_EQ(42, notices[0].m_thirdIntegerArg);
    EXPECT_EQ(1u, handler->PendingCount());
}

TEST_F(HandlerEvents, EachProgressEventTakesItsValueFromItsOwnField)
{
    CKivlinkNotificationPtr operation = Register(0, 3, &client);
    VARIANT_BOOL response = VARIANT_TRUE;
    handler->HandleOperationEvent(Event(REQ_EV_BACKUP_PROGRESS, 3, 900, 11, &response), &notificationThread);
    EXPECT_EQ(VARIANT_FALSE, response);
    response = VARIANT_TRUE;
    handler->HandleOperationEvent(Event(REQ_EV_RESTORE_PROGRESS, 3, 900, 22, &response), &notificationThread);
    EXPECT_EQ(VARIANT_FALSE, response);
    // Format progress asks the phone nothing: its answer slot is not written.
    response = VARIANT_TRUE;
    CRequestData format = Event(REQ_EV_FORMAT_PROGRESS, 3, 900, 33, &response);
    handler->HandleOperationEvent(format, &notificationThread);
    EXPECT_EQ(VARIANT_TRUE, response);
    handler->HandleOperationEvent(Event(REQ_EV_COPY_PROGRESS, 3, 44, 900), &notificationThread);

    std::vector<CRequestData> notices = services.Posted(REQ_ON_PROGRESS);
    ASSERT_EQ(4u, notices.size());
    EXPECT_EQ(11, notices[0].m_thirdIntegerArg);
    EXPECT_EQ(22, notices[1].m_thirdIntegerArg);
    EXPECT_EQ(33, notices[2].m_thirdIntegerArg);
    EXPECT_EQ(44, notices[3].m_thirdIntegerArg);
}

TEST_F(HandlerEvents, ProgressOfAnUnknownOperationIsCancelled)
{
    VARIANT_BOOL response = VARIANT_FALSE;
    EXPECT_EQ(E_UNEXPECTED, handler->SignalProgress(5, 10, &response, &notificationThread));
    EXPECT_EQ(VARIANT_TRUE, response);

    CKivlinkNotificationPtr other = Register(0, 6, &client);
    response = VARIANT_FALSE;
    EXPECT_EQ(E_UNEXPECTED, handler->SignalProgress(5, 10, &response, &notificationThread));
    EXPECT_EQ(VARIANT_TRUE, response);
    EXPECT_EQ(E_UNEXPECTED, handler->SignalProgress(5, 10, nullptr, &notificationThread));
    EXPECT_TRUE(services.Posted(REQ_ON_PROGRESS).empty());
    EXPECT_FALSE(other->IsBreakSet());
}

TEST_F(HandlerEvents, ACancelFromTheClientIsAnsweredWithTheNextProgress)
{
    CKivlinkNotificationPtr cancelled = Register(0, 8, &client);
    CKivlinkNotificationPtr untouched = Register(0, 9, &client);
    VARIANT_BOOL response = VARIANT_TRUE;
    handler->HandleOperationEvent(Event(REQ_EV_COPY_PROGRESS, 8, 10, 0, &response), &notificationThread);
    EXPECT_EQ(VARIANT_FALSE, response);

    // What the main thread sends back when the client's callback set its cancel flag.
    CRequestData cancel(REQ_CANCEL_OPERATION);
    cancel.m_firstIntegerArg = services.Posted(REQ_ON_PROGRESS).at(0).m_firstIntegerArg;
    EXPECT_EQ(S_OK, handler->HandleOperationEvent(cancel, &notificationThread));

    handler->HandleOperationEvent(Event(REQ_EV_COPY_PROGRESS, 8, 20, 0, &response), &notificationThread);
    EXPECT_EQ(VARIANT_TRUE, response);
    handler->HandleOperationEvent(Event(REQ_EV_COPY_PROGRESS, 9, 20, 0, &response), &notificationThread);
    EXPECT_EQ(VARIANT_FALSE, response);

    EXPECT_EQ(E_UNEXPECTED, handler->Cancel(77));
}

TEST_F(HandlerEvents, APhoneRepeatingItselfIsToldToCancel)
{
    CKivlinkNotificationPtr copy = Register(0, 10, &client);
    VARIANT_BOOL response = VARIANT_FALSE;
    int answeredCancel = 0;
    for (int report = 1; report <= 1 + KIV_PROGRESS_REPEAT_LIMIT + 1; ++report) {
        handler->HandleOperationEvent(Event(REQ_EV_COPY_PROGRESS, 10, 63, 0, &response), &notificationThread);
        if (response == VARIANT_TRUE && answeredCancel == 0)
            answeredCancel = report;
    }
    EXPECT_EQ(1 + KIV_PROGRESS_REPEAT_LIMIT + 1, answeredCancel);
    // The client saw every report.
    EXPECT_EQ(static_cast<size_t>(answeredCancel), services.Posted(REQ_ON_PROGRESS).size());
}

TEST_F(HandlerEvents, AnEventBeforeTheStartCallReturnedItsIdStillFindsTheOperation)
{
    CKivlinkNotificationPtr copy = Register(0, 0, &client);
    TestThread starter([&] {
        Sleep(200);
        copy->SetRequestId(55);
    });
    VARIANT_BOOL response = VARIANT_TRUE;
    EXPECT_EQ(S_OK,
              handler->HandleOperationEvent(Event(REQ_EV_COPY_PROGRESS, 55, 1, 0, &response), &notificationThread));
    EXPECT_EQ(VARIANT_FALSE, response);
    ASSERT_TRUE(starter.Join());
    std::vector<CRequestData> notices = services.Posted(REQ_ON_PROGRESS);
    ASSERT_EQ(1u, notices.size());
    EXPECT_EQ(55, notices[0].m_firstIntegerArg);
}

TEST_F(HandlerEvents, AnIdLaterThanTheGracePeriodMatchesNothing)
{
    CKivlinkNotificationPtr copy = Register(0, 0, &client);
    TestThread starter([&] {
        Sleep(KIV_REQUEST_ID_WAIT_MS + 700);
        copy->SetRequestId(56);
    });
    VARIANT_BOOL response = VARIANT_FALSE;
    EXPECT_EQ(E_UNEXPECTED, handler->SignalProgress(56, 1, &response, &notificationThread));
    EXPECT_EQ(VARIANT_TRUE, response);
    ASSERT_TRUE(starter.Join());
    // Once known, the id matches again.
    EXPECT_EQ(S_OK, handler->SignalProgress(56, 2, &response, &notificationThread));
    EXPECT_EQ(VARIANT_FALSE, response);
}

TEST_F(HandlerEvents, ErrorsAndQuestionsAreLeftToTheNotificationThread)
{
    CKivlinkNotificationPtr copy = Register(0, 12, &client);
    VARIANT_BOOL response = VARIANT_TRUE;
    for (long type :
         {REQ_EV_BACKUP_ERROR, REQ_EV_RESTORE_EXISTING_FILE, REQ_EV_RESTORE_ERROR, REQ_EV_FORMAT_ERROR,
          REQ_EV_COPY_ERROR, REQ_EV_COPY_EXISTING_FILE, REQ_EV_DEVICE_CONNECTED, REQ_EV_DEVICE_DISCONNECTED}) {
        EXPECT_EQ(S_FALSE, handler->HandleOperationEvent(Event(type, 12, 0, 0, &response), &notificationThread))
            << type;
    }
    EXPECT_EQ(VARIANT_TRUE, response);
    EXPECT_TRUE(services.Posted(REQ_ON_PROGRESS).empty());
    EXPECT_EQ(1u, handler->PendingCount());
    EXPECT_FALSE(copy->IsBreakSet());
}

}  // namespace
