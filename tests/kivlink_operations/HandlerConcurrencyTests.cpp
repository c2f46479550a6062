// Several file-worker threads register, wait for and remove operations while a notification
// thread reports progress and completions for them; nothing may leak or be freed twice.
#include "OperationsFixture.h"
#include "tests/support/TestThread.h"

#include "com/CriticalSection.h"

#include <deque>
#include <memory>
#include <vector>

namespace {

// Request ids handed from the starting threads to the notification thread.
class StartedOperations {
public:
    StartedOperations() { m_available.create(0, 100000); }
    void Add(long requestId)
    {
        {
            tolv::com::auto_lock lock(m_lock);
            m_ids.push_back(requestId);
        }
        m_available.release();
    }
    // 0 when nothing came within the time.
    long Take(DWORD timeoutMs)
    {
        if (!m_available.wait(timeoutMs))
            return 0;
        tolv::com::auto_lock lock(m_lock);
        long requestId = m_ids.front();
        m_ids.pop_front();
        return requestId;
    }

private:
    tolv::com::critical_section m_lock;
    std::deque<long> m_ids;
    tolv::com::unique_semaphore m_available;
};

constexpr int STARTERS = 3;
constexpr int OPERATIONS_EACH = 40;

// Every operation's result is derived from its id, so a wrong match shows.
HRESULT ResultFor(long requestId)
{
    return requestId % 5 == 0 ? static_cast<HRESULT>(0x80040000 | requestId) : S_OK;
}

enum Plan { BLOCKED, UNBLOCKED, ABANDONED };

Plan PlanFor(long requestId)
{
    return static_cast<Plan>(requestId % 3);
}

struct StarterTally {
    int waitedRight = 0;
    int failures = 0;
};

TEST_F(OperationsTest, StartersAndTheNotificationThreadShareTheListSafely)
{
    StartedOperations started;
    StarterTally tallies[STARTERS];
    std::vector<std::unique_ptr<TestThread>> starters;
    for (int s = 0; s < STARTERS; ++s) {
        starters.push_back(std::make_unique<TestThread>([&, s] {
            StarterTally& tally = tallies[s];
            for (int i = 0; i < OPERATIONS_EACH; ++i) {
                long requestId = 1 + s * OPERATIONS_EACH + i;
                Plan plan = PlanFor(requestId);
                CKivlinkNotificationPtr operation;
                if (FAILED(handler->AddSymbianNotification(operation, aidCopyToPC, L"C:\\Data\\x.txt",
                                                           CopyToPhone(plan == UNBLOCKED ? 0 : eBlocked, &client)))) {
                    ++tally.failures;
                    continue;
                }
                // The id is published a little after the phone may already report.
                started.Add(requestId);
                if (i % 4 == 0)
                    Sleep(1);
                operation->SetRequestId(requestId);
                if (plan == UNBLOCKED)
                    continue;
                if (plan == ABANDONED) {
                    // A wait given up at once; the events for it still arrive.
                    handler->RemoveSymbianNotification(operation.get());
                    continue;
                }
                HRESULT waited = operation->WaitProgress(20000, nullptr);
                if (waited == S_OK && operation->Result() == ResultFor(requestId))
                    ++tally.waitedRight;
                else
                    ++tally.failures;
                if (FAILED(handler->RemoveSymbianNotification(requestId)))
                    ++tally.failures;
            }
        }));
    }

    int delivered = 0;
    int completionsMatched = 0;
    TestThread notificationThread([&] {
        for (int n = 0; n < STARTERS * OPERATIONS_EACH; ++n) {
            long requestId = started.Take(30000);
            if (requestId == 0)
                return;
            VARIANT_BOOL response = VARIANT_FALSE;
            for (long progress = 25; progress <= 75; progress += 25)
                handler->SignalProgress(requestId, progress, &response, &fileWorker);
            if (SUCCEEDED(handler->SignalCompletion(requestId, ResultFor(requestId))))
                ++completionsMatched;
            // Stragglers after the completion must not touch a finished operation.
            handler->SignalProgress(requestId, 100, &response, &fileWorker);
            ++delivered;
        }
    });

    for (auto& starter : starters)
        ASSERT_TRUE(starter->Join(120000));
    ASSERT_TRUE(notificationThread.Join(120000));

    int blocked = 0, unblocked = 0;
    for (long requestId = 1; requestId <= STARTERS * OPERATIONS_EACH; ++requestId) {
        if (PlanFor(requestId) == BLOCKED)
            ++blocked;
        else if (PlanFor(requestId) == UNBLOCKED)
            ++unblocked;
    }
    int waitedRight = 0;
    for (const StarterTally& tally : tallies) {
        EXPECT_EQ(0, tally.failures);
        waitedRight += tally.waitedRight;
    }
    EXPECT_EQ(STARTERS * OPERATIONS_EACH, delivered);
    EXPECT_EQ(blocked, waitedRight);
    EXPECT_GE(completionsMatched, blocked + unblocked);

    // Every unblocked operation was finished exactly once, with its own result.
    std::vector<CRequestData> steps = fileWorker.Executed(unblocked);
    ASSERT_EQ(static_cast<size_t>(unblocked), steps.size());
    std::vector<CRequestData> completions = services.Posted(REQ_ON_COMPLETION);
    ASSERT_EQ(static_cast<size_t>(unblocked), completions.size());
    std::vector<int> seen(STARTERS * OPERATIONS_EACH + 1, 0);
    for (const CRequestData& completion : completions) {
        long requestId = completion.m_firstIntegerArg;
        ASSERT_GT(requestId, 0);
        ASSERT_LE(requestId, STARTERS * OPERATIONS_EACH);
        EXPECT_EQ(UNBLOCKED, PlanFor(requestId));
        EXPECT_EQ(ResultFor(requestId), completion.m_thirdIntegerArg);
        ++seen[requestId];
    }
    for (int count : seen)
        EXPECT_LE(count, 1);
    EXPECT_EQ(0u, handler->PendingCount());
    // TearDown checks that every notification was destroyed.
}

}  // namespace
