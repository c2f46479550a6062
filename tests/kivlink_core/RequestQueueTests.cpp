// The request record and the queue: ownership of entries, order, release and overflow.
#include "core/KivMessageQueue.h"
#include "com/UniqueHandle.h"
#include "KivlinkLib.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<CRequestEntry> MakeEntry(long type, long first = 0)
{
    CRequestData record(type);
    record.m_firstIntegerArg = first;
    return std::make_unique<CRequestEntry>(record);
}

struct QueueWithSemaphore {
    explicit QueueWithSemaphore(LONG maximum = 20000) : semaphore(CreateSemaphoreW(nullptr, 0, maximum, nullptr))
    {
        queue.SetSemaphore(semaphore);
    }
    ~QueueWithSemaphore()
    {
        queue.Release();
        CloseHandle(semaphore);
    }
    LONG Pending()
    {
        LONG count = 0;
        while (WaitForSingleObject(semaphore, 0) == WAIT_OBJECT_0)
            ++count;
        return count;
    }
    HANDLE semaphore;
    CKivMessageQueue queue;
};

struct Sender {
    CKivMessageQueue* queue;
    int base;
    int count;
    LONG failures = 0;
};

DWORD WINAPI SendAll(void* parameter)
{
    auto* sender = static_cast<Sender*>(parameter);
    for (int n = 0; n < sender->count; ++n) {
        auto entry = MakeEntry(REQ_GET_INFO, sender->base + n);
        if (sender->queue->Send(entry) != S_OK)
            ++sender->failures;
    }
    return 0;
}

}  // namespace

TEST(KivString, CopiesShareTheTextAndConvertBothWays)
{
    CKivString original(L"C:\\Data\\\u00e4.mp3");
    CKivString copy = original;
    EXPECT_EQ(original.c_str(), copy.c_str());
    EXPECT_TRUE(copy == original);
    EXPECT_EQ(CKivString("abc").length(), 3u);
    EXPECT_STREQ(CKivString("C:\\x").c_str(), L"C:\\x");
    EXPECT_EQ(CKivString(L"plain").Narrow(), "plain");

    CKivString empty;
    EXPECT_STREQ(empty.c_str(), L"");
    BSTR fresh = empty.Copy();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(SysStringLen(fresh), 0u);
    SysFreeString(fresh);

    // Outlives its source: the last holder frees it.
    CKivString survivor;
    {
        CKivString temporary(L"kept");
        survivor = temporary;
    }
    EXPECT_STREQ(survivor.c_str(), L"kept");
}

TEST(RequestData, CopiesEveryFieldAndDumpsOneFieldALine)
{
    CRequestData record(REQ_COPY_FROM_PC);
    record.m_firstStringArg = L"C:\\pc\\a.mp3";
    record.m_secondStringArg = L"E:\\Music\\";
    record.m_firstIntegerArg = 9;
    record.m_thirdDateArg = 40000.5;
    record.m_RetVal = KIV_E_NOCONNECTION;
    CRequestData copy = record;
    EXPECT_EQ(copy.m_typ, REQ_COPY_FROM_PC);
    EXPECT_EQ(copy.m_firstStringArg.c_str(), record.m_firstStringArg.c_str());
    EXPECT_EQ(copy.m_thirdDateArg, 40000.5);

    std::string dump = record.Dump();
    EXPECT_EQ(dump.rfind("m_typ=17\r\nm_firstStringArg=C:\\pc\\a.mp3\r\nm_secondStringArg=E:\\Music\\\r\n", 0), 0u);
    // The first integer's label has no equals sign; the result is in hex.
    EXPECT_NE(dump.find("\r\nm_firstIntegerArg9\r\n"), std::string::npos);
    EXPECT_NE(dump.find("\r\nm_RetVal=0x8004b001\r\n"), std::string::npos);
    EXPECT_EQ(dump.substr(dump.size() - 2), "\r\n");
}

TEST(RequestEntry, HandsOutThePostersRecordOnlyWhenAResponseIsWanted)
{
    CRequestData poster(REQ_GET_INFO);
    poster.m_Response = &poster;
    CRequestEntry withResponse(poster);
    CRequestData* record = nullptr;
    ASSERT_EQ(withResponse.GetRecord(&record, nullptr), S_OK);
    EXPECT_EQ(record, &poster);

    CRequestData detached(REQ_GET_INFO);
    CRequestEntry withoutResponse(detached);
    ASSERT_EQ(withoutResponse.GetRecord(&record, nullptr), S_OK);
    EXPECT_NE(record, &detached);
    EXPECT_EQ(record->m_typ, REQ_GET_INFO);
}

TEST(KivMessageQueue, HandsOutEveryEntryOnceInArrivalOrder)
{
    QueueWithSemaphore fixture;
    for (long i = 1; i <= 4; ++i) {
        auto entry = MakeEntry(REQ_GET_INFO, i);
        ASSERT_EQ(fixture.queue.Send(entry), S_OK);
        EXPECT_EQ(entry, nullptr);
    }
    EXPECT_EQ(fixture.Pending(), 4);
    for (long i = 1; i <= 4; ++i) {
        std::unique_ptr<CRequestEntry> entry;
        ASSERT_EQ(fixture.queue.Receive(entry), S_OK);
        EXPECT_EQ(entry->QueuedRecord().m_firstIntegerArg, i);
    }
    std::unique_ptr<CRequestEntry> none;
    EXPECT_EQ(fixture.queue.Receive(none), E_UNEXPECTED);
    EXPECT_EQ(none, nullptr);
}

TEST(KivMessageQueue, RefusesNullEntriesAndEverythingAfterRelease)
{
    QueueWithSemaphore fixture;
    std::unique_ptr<CRequestEntry> null;
    EXPECT_EQ(fixture.queue.Send(null), E_UNEXPECTED);

    ASSERT_EQ(fixture.queue.Release(), S_OK);
    EXPECT_TRUE(fixture.queue.IsClosed());
    auto entry = MakeEntry(REQ_DELETE);
    EXPECT_EQ(fixture.queue.Send(entry), E_FAIL);
    // Not queued: the caller still owns it, and nothing was signalled.
    EXPECT_NE(entry, nullptr);
    EXPECT_EQ(fixture.Pending(), 0);
}

TEST(KivMessageQueue, ReleaseWakesWaitingPostersWithAbort)
{
    QueueWithSemaphore fixture;
    CRequestData poster(REQ_COPY_FROM_PC);
    poster.m_Response = &poster;
    auto waiting = std::make_unique<CRequestEntry>(poster);
    tolv::com::unique_event completion;
    ASSERT_EQ(completion.create(false, false), S_OK);
    waiting->SetCompletionEvent(completion.get());
    ASSERT_EQ(fixture.queue.Send(waiting), S_OK);
    auto fireAndForget = MakeEntry(REQ_INVALIDATE_ALL);
    ASSERT_EQ(fixture.queue.Send(fireAndForget), S_OK);

    ASSERT_EQ(fixture.queue.Release(), S_OK);
    EXPECT_TRUE(completion.wait(0));
    EXPECT_EQ(poster.m_RetVal, E_ABORT);
    std::unique_ptr<CRequestEntry> none;
    EXPECT_EQ(fixture.queue.Receive(none), E_UNEXPECTED);
}

TEST(KivMessageQueue, OverflowKeepsSignalOnlyEntriesAndReturnsWaitingOnes)
{
    QueueWithSemaphore fixture(1);
    auto first = MakeEntry(REQ_GET_INFO, 1);
    ASSERT_EQ(fixture.queue.Send(first), S_OK);

    auto second = MakeEntry(REQ_GET_INFO, 2);
    EXPECT_EQ(fixture.queue.Send(second), KIV_E_REQUEST_PANIC);
    EXPECT_EQ(second, nullptr);  // kept in the queue, without a count

    CRequestData poster(REQ_GET_INFO);
    poster.m_Response = &poster;
    auto waiting = std::make_unique<CRequestEntry>(poster);
    tolv::com::unique_event completion;
    ASSERT_EQ(completion.create(false, false), S_OK);
    waiting->SetCompletionEvent(completion.get());
    EXPECT_EQ(fixture.queue.Send(waiting), KIV_E_REQUEST_PANIC);
    // Its poster will not wait, so the entry must not stay where a worker would answer it.
    ASSERT_NE(waiting, nullptr);

    std::unique_ptr<CRequestEntry> taken;
    ASSERT_EQ(fixture.queue.Receive(taken), S_OK);
    EXPECT_EQ(taken->QueuedRecord().m_firstIntegerArg, 1);
    ASSERT_EQ(fixture.queue.Receive(taken), S_OK);
    EXPECT_EQ(taken->QueuedRecord().m_firstIntegerArg, 2);
    EXPECT_EQ(fixture.queue.Receive(taken), E_UNEXPECTED);
}

TEST(KivMessageQueue, ManySendersLoseNothing)
{
    QueueWithSemaphore fixture;
    constexpr int SENDERS = 8;
    constexpr int EACH = 250;
    Sender senders[SENDERS];
    HANDLE threads[SENDERS];
    for (int i = 0; i < SENDERS; ++i) {
        senders[i].queue = &fixture.queue;
        senders[i].base = i * EACH;
        senders[i].count = EACH;
        threads[i] = CreateThread(nullptr, 0, &SendAll, &senders[i], 0, nullptr);
    }
    WaitForMultipleObjects(SENDERS, threads, TRUE, INFINITE);
    for (HANDLE thread : threads)
        CloseHandle(thread);

    std::vector<int> seen(SENDERS * EACH, 0);
    std::unique_ptr<CRequestEntry> entry;
    while (fixture.queue.Receive(entry) == S_OK)
        ++seen[static_cast<size_t>(entry->QueuedRecord().m_firstIntegerArg)];
    for (const Sender& sender : senders)
        EXPECT_EQ(sender.failures, 0);
    for (int count : seen)
        ASSERT_EQ(count, 1);
    EXPECT_EQ(fixture.Pending(), SENDERS * EACH);
}
