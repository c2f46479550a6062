// Registrations, removals, broadcasts and which registrations hear of a folder change.
#include "NotificationFixture.h"

#include "core/KivWorkingThread4.h"
#include "core/RequestTypes.h"

using ChangeNotification = NotificationFixture;

TEST_F(ChangeNotification, TwoRegistrationsOfOneFolderAreEachCalledOnce)
{
    auto first = Sink(L"first");
    auto second = Sink(L"second");
    Register(L"\\Images\\", first.get());
    Register(L"\\Images\\", second.get());

    ASSERT_EQ(handler.OnFolderChanged(L"C:\\Images\\", false), S_OK);

    ASSERT_TRUE(log.WaitForCalls(2));
    Sleep(SETTLE_MS);
    ASSERT_EQ(log.CallsOf(L"first").size(), 1u);
    ASSERT_EQ(log.CallsOf(L"second").size(), 1u);
    EXPECT_EQ(log.CallsOf(L"first")[0].path, L"\\Images\\");
}

TEST_F(ChangeNotification, ARegistrationOfAnotherFolderHearsNothing)
{
    auto images = Sink(L"images");
    auto sounds = Sink(L"sounds");
    auto parent = Sink(L"parent");
    Register(L"\\Images\\", images.get());
    Register(L"\\Sounds\\", sounds.get());
    Register(L"\\", parent.get());

    ASSERT_EQ(handler.OnFolderChanged(L"C:\\Images\\", false), S_OK);

    ASSERT_TRUE(log.WaitForCalls(1));
    Sleep(SETTLE_MS);
    EXPECT_EQ(SinksCalled(log.Calls()), std::vector<std::wstring>{L"images"});
}

TEST_F(ChangeNotification, FoldersAreMatchedInTheFormClientsSee)
{
    auto phoneImages = Sink(L"C images");
    auto cardSounds = Sink(L"E sounds");
    auto phoneSounds = Sink(L"C sounds");
    Register(L"\\IMAGES\\", phoneImages.get());
    Register(L"MultiMediaCard (E:)\\Sounds\\", cardSounds.get());
    Register(L"\\Sounds\\", phoneSounds.get());

    // As the listing worker names them: with the drive, with or without the last backslash.
    ASSERT_EQ(handler.OnFolderChanged(L"C:\\images\\", false), S_OK);
    ASSERT_EQ(handler.OnFolderChanged(L"E:\\Sounds", false), S_OK);

    ASSERT_TRUE(log.WaitForCalls(2));
    Sleep(SETTLE_MS);
    ASSERT_EQ(log.CallsOf(L"C images").size(), 1u);
    EXPECT_EQ(log.CallsOf(L"C images")[0].path, L"\\IMAGES\\");  // the registration's own text
    ASSERT_EQ(log.CallsOf(L"E sounds").size(), 1u);
    EXPECT_EQ(log.CallsOf(L"E sounds")[0].path, L"MultiMediaCard (E:)\\Sounds\\");
    EXPECT_TRUE(log.CallsOf(L"C sounds").empty());
}

TEST_F(ChangeNotification, AChangeOfEverythingReachesEveryRegistration)
{
    auto images = Sink(L"images");
    auto sounds = Sink(L"sounds");
    Register(L"\\Images\\", images.get());
    Register(L"MultiMediaCard (E:)\\Sounds\\", sounds.get());

    ASSERT_EQ(handler.OnFolderChanged(L"", true), S_OK);

    ASSERT_TRUE(log.WaitForCalls(2));
    Sleep(SETTLE_MS);
    EXPECT_EQ(log.Calls().size(), 2u);
}

TEST_F(ChangeNotification, ARegistrationRemovedWhileItsChangeWaitsIsNotCalled)
{
    auto removed = Sink(L"removed");
    auto kept = Sink(L"kept");
    const long token = Register(L"\\Images\\", removed.get());
    Register(L"\\Images\\", kept.get());

    ASSERT_EQ(handler.OnFolderChanged(L"C:\\Images\\", false), S_OK);
    ASSERT_EQ(handler.RemoveChangeNotification(token), S_OK);

    ASSERT_TRUE(log.WaitForCalls(1));
    Sleep(SETTLE_MS);
    EXPECT_EQ(SinksCalled(log.Calls()), std::vector<std::wstring>{L"kept"});
}

TEST_F(ChangeNotification, TokensStartAtOneAndAreNeverGivenAgain)
{
    auto sink = Sink(L"sink");
    EXPECT_EQ(Register(L"\\A\\", sink.get()), 1);
    EXPECT_EQ(Register(L"\\B\\", sink.get()), 2);
    const long third = Register(L"\\C\\", sink.get());
    EXPECT_EQ(third, 3);

    ASSERT_EQ(handler.RemoveChangeNotification(third), S_OK);
    ASSERT_EQ(handler.RemoveChangeNotification(2), S_OK);
    EXPECT_EQ(Register(L"\\D\\", sink.get()), 4);
    EXPECT_EQ(handler.Registrations(), 2);
    EXPECT_TRUE(traces.Wrote("CKivNotificationHandler-LockCounter 2"));
}

TEST_F(ChangeNotification, RemovingAnUnknownTokenFailsWithInvalidArgument)
{
    auto sink = Sink(L"sink");
    const long token = Register(L"\\A\\", sink.get());

    EXPECT_EQ(handler.RemoveChangeNotification(token + 1), E_INVALIDARG);
    EXPECT_EQ(handler.RemoveChangeNotification(0), E_INVALIDARG);
    ASSERT_EQ(handler.RemoveChangeNotification(token), S_OK);
    EXPECT_EQ(handler.RemoveChangeNotification(token), E_INVALIDARG);
    EXPECT_EQ(handler.Registrations(), 0);

    bool traced = false;
    for (const std::string& text : traces.Texts())
        traced = traced || text.starts_with("ERROR 0x80070057 [KivNotificationHandler ");
    EXPECT_TRUE(traced);
}

TEST_F(ChangeNotification, ARemovedRegistrationLetsGoOfItsSink)
{
    auto sink = Sink(L"sink");
    const ULONG alone = References(sink.get());
    const long token = Register(L"\\A\\", sink.get());
    EXPECT_EQ(References(sink.get()), alone + 1);

    ASSERT_EQ(handler.RemoveChangeNotification(token), S_OK);
    EXPECT_EQ(References(sink.get()), alone);
}

TEST_F(ChangeNotification, ABroadcastCallsEverySinkAtOnceInTokenOrder)
{
    auto first = Sink(L"first");
    auto second = Sink(L"second");
    auto third = Sink(L"third");
    Register(L"\\A\\", first.get());
    const long secondToken = Register(L"\\B\\", second.get());
    Register(L"\\C\\", third.get());
    // The first one now waits in the other ring: the order must not follow the rings.
    ASSERT_EQ(handler.OnFolderChanged(L"C:\\A\\", false), S_OK);

    ASSERT_EQ(handler.BroadcastChangeNotification(L"\\Z\\"), S_OK);
    EXPECT_EQ(SinksCalled(log.CallsWith(L"\\Z\\")), (std::vector<std::wstring>{L"first", L"second", L"third"}));

    ASSERT_EQ(handler.RemoveChangeNotification(secondToken), S_OK);
    ASSERT_EQ(handler.BroadcastChangeNotification(L"\\Y\\"), S_OK);
    EXPECT_EQ(SinksCalled(log.CallsWith(L"\\Y\\")), (std::vector<std::wstring>{L"first", L"third"}));
    EXPECT_TRUE(services.Posted().empty());
}

TEST_F(ChangeNotification, ABroadcastGoesOnPastAnObjectThatIsNoSink)
{
    auto before = Sink(L"before");
    auto notASink = MakeObjectWithoutSink();
    auto after = Sink(L"after");
    Register(L"\\A\\", before.get());
    Register(L"\\A\\", notASink.get());
    Register(L"\\A\\", after.get());

    EXPECT_EQ(handler.BroadcastChangeNotification(L"\\A\\"), E_POINTER);
    EXPECT_EQ(SinksCalled(log.Calls()), (std::vector<std::wstring>{L"before", L"after"}));
}

TEST_F(ChangeNotification, ACacheBroadcastEmptiesBothModelsAndReachesEverySink)
{
    RecordingWorker fileWorker(services);
    RecordingWorker listingWorker(services);
    ASSERT_EQ(fileWorker.Start(), S_OK);
    ASSERT_EQ(listingWorker.Start(), S_OK);
    services.SetWorker(KivWorkerRole::File, &fileWorker);
    services.SetWorker(KivWorkerRole::Listing, &listingWorker);
    auto first = Sink(L"first");
    auto second = Sink(L"second");
    Register(L"\\A\\", first.get());
    Register(L"\\B\\", second.get());

    ASSERT_EQ(handler.BroadcastChangeNotification(L"\\<INVALIDATE_CACHE_CHANGE"), S_OK);

    ASSERT_TRUE(fileWorker.WaitForRecords(1));
    ASSERT_TRUE(listingWorker.WaitForRecords(1));
    EXPECT_EQ(fileWorker.Records()[0].m_typ, REQ_INVALIDATE_ALL);
    EXPECT_EQ(listingWorker.Records()[0].m_typ, REQ_INVALIDATE_ALL);
    EXPECT_EQ(log.CallsWith(L"\\<INVALIDATE_CACHE_CHANGE").size(), 2u);
    services.SetWorker(KivWorkerRole::File, nullptr);
    services.SetWorker(KivWorkerRole::Listing, nullptr);
}

TEST_F(ChangeNotification, ASinkWhoseClientHasGoneIsDroppedAfterItsFirstDelayedCall)
{
    auto gone = Sink(L"gone", RPC_E_DISCONNECTED);
    auto failing = Sink(L"failing", E_FAIL);
    const ULONG alone = References(gone.get());
    Register(L"\\Images\\", gone.get());
    Register(L"\\Images\\", failing.get());

    ASSERT_EQ(handler.OnFolderChanged(L"C:\\Images\\", false), S_OK);
    ASSERT_TRUE(log.WaitForCalls(2));
    Sleep(SETTLE_MS);
    ASSERT_EQ(handler.OnFolderChanged(L"C:\\Images\\", false), S_OK);
    ASSERT_TRUE(log.WaitForCalls(3));
    ASSERT_EQ(handler.BroadcastChangeNotification(L"\\Images\\"), S_OK);
    Sleep(SETTLE_MS);

    EXPECT_EQ(log.CallsOf(L"gone").size(), 1u);
    // An ordinary failure is the client's answer, not its end: it is still called.
    EXPECT_EQ(log.CallsOf(L"failing").size(), 3u);
    EXPECT_EQ(handler.Registrations(), 1);
    EXPECT_EQ(References(gone.get()), alone);
}

TEST_F(ChangeNotification, ASinkWhoseClientHasGoneIsDroppedAfterItsFirstBroadcast)
{
    auto gone = Sink(L"gone", HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE));
    auto alive = Sink(L"alive");
    Register(L"\\A\\", gone.get());
    Register(L"\\A\\", alive.get());

    ASSERT_EQ(handler.BroadcastChangeNotification(L"\\A\\"), S_OK);
    ASSERT_EQ(handler.BroadcastChangeNotification(L"\\A\\"), S_OK);
    ASSERT_EQ(handler.OnFolderChanged(L"C:\\A\\", false), S_OK);
    ASSERT_TRUE(log.WaitForCalls(4));
    Sleep(SETTLE_MS);

    EXPECT_EQ(log.CallsOf(L"gone").size(), 1u);
    EXPECT_EQ(log.CallsOf(L"alive").size(), 3u);
    EXPECT_EQ(handler.Registrations(), 1);
}

TEST_F(ChangeNotification, StoppingLetsGoOfEverySinkWithoutWaitingOutAChange)
{
    auto sink = Sink(L"sink");
    const ULONG alone = References(sink.get());
    Register(L"\\A\\", sink.get());
    ASSERT_EQ(handler.OnFolderChanged(L"C:\\A\\", false), S_OK);

    const DWORD start = GetTickCount();
    ASSERT_EQ(handler.Stop(), S_OK);
    EXPECT_LT(GetTickCount() - start, CKivNotificationHandler::HOLD_TIME_MS);
    EXPECT_EQ(References(sink.get()), alone);
    EXPECT_TRUE(log.Calls().empty());
    long token = 0;
    EXPECT_EQ(handler.AddChangeNotification(L"\\A\\", sink.get(), &token), E_ABORT);
    EXPECT_TRUE(traces.Wrote("Exit ChangeNotificationThread finished", "Kivlink_ChangeNotificationThread"));
}

// The records IKivVolume posts, as worker 4 takes them.
class ChangeNotificationWorker : public NotificationFixture {
protected:
    void SetUp() override
    {
        NotificationFixture::SetUp();
        ASSERT_EQ(worker.Start(), S_OK);
    }
    void TearDown() override { worker.Stop(); }

    HRESULT Run(CRequestData& record)
    {
        record.m_Response = &record;
        const HRESULT hr = worker.PostRequestAndWait(record);
        return FAILED(hr) ? hr : record.m_RetVal;
    }

    CKivWorkingThread4 worker{services, handler};
};

TEST_F(ChangeNotificationWorker, RegistersNotifiesAndRemovesThroughRecords)
{
    auto sink = Sink(L"sink");
    long token = 0;
    CRequestData add(REQ_ADD_CHANGE_NOTIFICATION);
    add.m_firstStringArg = L"\\Images\\";
    add.m_firstInterfaceArg = sink.get();
    add.m_OutArg[OUT_FIRST_LONG] = &token;
    ASSERT_EQ(Run(add), S_OK);
    EXPECT_EQ(token, 1);

    CRequestData changed(REQ_NOTIFY_CHANGE);
    changed.m_firstStringArg = L"C:\\Images\\";
    ASSERT_EQ(worker.PostRequest(changed), S_OK);
    ASSERT_TRUE(log.WaitForCalls(1));

    CRequestData broadcast(REQ_BROADCAST_CHANGE_NOTIFICATION);
    broadcast.m_firstStringArg = L"\\Everything\\";
    ASSERT_EQ(Run(broadcast), S_OK);
    EXPECT_EQ(log.CallsWith(L"\\Everything\\").size(), 1u);

    CRequestData remove(REQ_REMOVE_CHANGE_NOTIFICATION);
    remove.m_firstIntegerArg = token;
    EXPECT_EQ(Run(remove), S_OK);
    EXPECT_EQ(Run(remove), E_INVALIDARG);

    EXPECT_TRUE(traces.Wrote(">>>IKivVolume::AddChangeNotification(\\Images\\) ..."));
    EXPECT_TRUE(traces.Wrote("<<<IKivVolume::RemoveChangeNotification - hr=0x80070057 "));
}
