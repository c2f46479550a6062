// Workers: start-up, dispatch, waiting posters, unknown types, failures inside the dispatcher.
#include "FakeServerServices.h"

#include "core/KivComError.h"
#include "core/KivWorker.h"
#include "core/WorkerBusyCounters.h"

#include <gtest/gtest.h>

#include <process.h>
#include <atomic>
#include <vector>

namespace {

enum TestRequest : long {
    ANSWER = 1,  // writes 42 through out position 2, when given, and succeeds
    BLOCK = 2,  // waits until the test opens the gate
    COM_FAULT = 3,  // raises a COM error
    OTHER_FAULT = 4,  // raises something that is not a COM error
    RECORD = 5,  // notes its first integer
};

class TestWorker : public CKivWorker {
public:
    explicit TestWorker(IKivServerServices& services, HRESULT initResult = S_OK)
        : CKivWorker(services),
          m_initResult(initResult),
          m_gate(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          m_blocked(CreateEventW(nullptr, TRUE, FALSE, nullptr))
    {
    }
    ~TestWorker() override
    {
        SetEvent(m_gate);
        Stop();
        CloseHandle(m_gate);
        CloseHandle(m_blocked);
    }

    void OpenGate() { SetEvent(m_gate); }
    bool WaitUntilBlocked() { return WaitForSingleObject(m_blocked, 10000) == WAIT_OBJECT_0; }
    std::vector<long> Recorded()
    {
        tolv::com::auto_lock lock(m_lock);
        return m_recorded;
    }
    LONG ExitCalls() const { return m_exitCalls; }

protected:
    HRESULT InitThread() override { return m_initResult; }
    HRESULT ExitThread() override
    {
        InterlockedIncrement(&m_exitCalls);
        return S_OK;
    }
    bool IsKnownRequest(long type) const override { return type >= ANSWER && type <= RECORD; }
    void ProcessRequest(CRequestData& record) override
    {
        switch (record.m_typ) {
        case ANSWER:
            if (auto* answer = static_cast<long*>(record.m_OutArg[OUT_FIRST_LONG]))
                *answer = 42;
            record.m_RetVal = S_OK;
            break;
        case BLOCK:
            SetEvent(m_blocked);
            WaitForSingleObject(m_gate, INFINITE);
            record.m_RetVal = S_FALSE;
            break;
        case COM_FAULT:
            throw CKivComError(E_POINTER, tolv::trace::site{"WorkerTests", __LINE__});
        case OTHER_FAULT:
            throw 7;
        case RECORD: {
            tolv::com::auto_lock lock(m_lock);
            m_recorded.push_back(record.m_firstIntegerArg);
            record.m_RetVal = S_OK;
            break;
        }
        }
    }

private:
    HRESULT m_initResult;
    HANDLE m_gate;
    HANDLE m_blocked;
    tolv::com::critical_section m_lock;
    std::vector<long> m_recorded;
    volatile LONG m_exitCalls = 0;
};

HRESULT Ask(CKivWorker& worker, long type, long* answer = nullptr, HRESULT* result = nullptr)
{
    CRequestData record(type);
    record.m_Response = &record;
    record.m_RetVal = E_UNEXPECTED;
    record.m_OutArg[OUT_FIRST_LONG] = answer;
    HRESULT hr = worker.PostRequestAndWait(record);
    if (result)
        *result = record.m_RetVal;
    return hr;
}

struct AskInBackground {
    CKivWorker* worker;
    long type;
    HRESULT hr = E_UNEXPECTED;
    HRESULT result = E_UNEXPECTED;
    HANDLE thread = nullptr;

    void Start()
    {
        thread = reinterpret_cast<HANDLE>(_beginthreadex(
            nullptr, 0,
            [](void* self) -> unsigned {
                auto* ask = static_cast<AskInBackground*>(self);
                ask->hr = Ask(*ask->worker, ask->type, nullptr, &ask->result);
                return 0;
            },
            this, 0, nullptr));
    }
    bool Finished(DWORD ms) { return WaitForSingleObject(thread, ms) == WAIT_OBJECT_0; }
    ~AskInBackground()
    {
        if (thread) {
            WaitForSingleObject(thread, INFINITE);
            CloseHandle(thread);
        }
    }
};

bool PostedAbnormalShutdown(FakeServerServices& services)
{
    for (const CRequestData& record : services.Posted())
        if (record.m_typ == REQ_ABNORMAL_SHUTDOWN)
            return true;
    return false;
}

}  // namespace

TEST(KivWorker, StartsOnceAndAnswersThroughThePostersRecord)
{
    FakeServerServices services;
    TestWorker worker(services);
    ASSERT_EQ(worker.Start(), S_OK);
    EXPECT_EQ(worker.GetState(), CKivWorker::STATE_RUNNING);
    EXPECT_EQ(worker.Start(), E_UNEXPECTED);

    long answer = 0;
    HRESULT result = E_FAIL;
    EXPECT_EQ(Ask(worker, ANSWER, &answer, &result), S_OK);
    EXPECT_EQ(result, S_OK);
    EXPECT_EQ(answer, 42);

    EXPECT_EQ(worker.Stop(), S_OK);
    EXPECT_EQ(worker.GetState(), CKivWorker::STATE_STOPPED);
    EXPECT_EQ(worker.ExitCalls(), 1);
    // A stopped worker's queue is closed.
    EXPECT_EQ(Ask(worker, ANSWER, &answer), E_FAIL);
}

TEST(KivWorker, FailedInitialisationIsReportedAndPostsFailAtOnce)
{
    FakeServerServices services;
    const HRESULT notRegistered = REGDB_E_CLASSNOTREG;
    TestWorker worker(services, notRegistered);
    EXPECT_EQ(worker.Start(), notRegistered);
    EXPECT_EQ(worker.GetState(), CKivWorker::STATE_INIT_FAILED);
    EXPECT_EQ(worker.ExitCalls(), 0);

    // Never running: the post must not wait for it.
    DWORD before = GetTickCount();
    EXPECT_EQ(Ask(worker, ANSWER), notRegistered);
    CRequestData record(RECORD);
    EXPECT_EQ(worker.PostRequest(record), notRegistered);
    EXPECT_LT(GetTickCount() - before, 2000u);
    worker.Stop();
    EXPECT_EQ(worker.GetState(), CKivWorker::STATE_INIT_FAILED);
}

TEST(KivWorker, UnknownTypesAreRefusedWithoutTouchingTheQueue)
{
    FakeServerServices services;
    TestWorker worker(services);
    ASSERT_EQ(worker.Start(), S_OK);
    CRequestData unknown(REQ_GET_INFO);
    unknown.m_firstIntegerArg = 99;
    EXPECT_EQ(worker.PostRequest(unknown), E_FAIL);
    EXPECT_EQ(Ask(worker, REQ_GET_INFO), E_FAIL);

    CRequestData known(RECORD);
    known.m_firstIntegerArg = 5;
    ASSERT_EQ(worker.PostRequest(known), S_OK);
    EXPECT_EQ(Ask(worker, RECORD), S_OK);
    EXPECT_EQ(worker.Recorded(), (std::vector<long>{5, 0}));
}

TEST(KivWorker, ResultsWithoutAResponseRecordStayInTheQueuedCopy)
{
    FakeServerServices services;
    TestWorker worker(services);
    ASSERT_EQ(worker.Start(), S_OK);
    long answer = 0;
    CRequestData record(ANSWER);
    record.m_RetVal = E_UNEXPECTED;
    record.m_OutArg[OUT_FIRST_LONG] = &answer;
    EXPECT_EQ(worker.PostRequestAndWait(record), S_OK);
    // Out arguments go through their pointers; the result went into the worker's copy.
    EXPECT_EQ(answer, 42);
    EXPECT_EQ(record.m_RetVal, E_UNEXPECTED);
}

TEST(KivWorker, DispatcherFaultsFailTheRequestAndReportAnAbnormalEnd)
{
    for (long fault : {COM_FAULT, OTHER_FAULT}) {
        FakeServerServices services;
        TestWorker worker(services);
        ASSERT_EQ(worker.Start(), S_OK);
        HRESULT result = S_OK;
        EXPECT_EQ(Ask(worker, fault, nullptr, &result), S_OK);
        EXPECT_EQ(result, E_ABORT);
        EXPECT_EQ(worker.GetState(), CKivWorker::STATE_ENDED_ABNORMALLY);
        EXPECT_TRUE(PostedAbnormalShutdown(services));

        // It keeps serving until the server stops it.
        long answer = 0;
        EXPECT_EQ(Ask(worker, ANSWER, &answer), S_OK);
        EXPECT_EQ(answer, 42);
        EXPECT_EQ(worker.Stop(), S_OK);
        EXPECT_EQ(worker.GetState(), CKivWorker::STATE_STOPPED);
        EXPECT_EQ(worker.ExitCalls(), 1);
    }
}

TEST(KivWorker, StopWakesPostersStillQueuedWithAbort)
{
    FakeServerServices services;
    TestWorker worker(services);
    ASSERT_EQ(worker.Start(), S_OK);
    AskInBackground busy{&worker, BLOCK};
    busy.Start();
    ASSERT_TRUE(worker.WaitUntilBlocked());
    AskInBackground queued{&worker, ANSWER};
    queued.Start();
    Sleep(200);
    EXPECT_FALSE(queued.Finished(0));

    // Stop waits for the running request; the one behind it is answered with E_ABORT.
    HANDLE stopper = reinterpret_cast<HANDLE>(_beginthreadex(
        nullptr, 0, [](void* w) -> unsigned { return static_cast<unsigned>(static_cast<TestWorker*>(w)->Stop()); },
        &worker, 0, nullptr));
    Sleep(200);
    worker.OpenGate();
    ASSERT_EQ(WaitForSingleObject(stopper, 10000), WAIT_OBJECT_0);
    CloseHandle(stopper);
    ASSERT_TRUE(busy.Finished(10000));
    ASSERT_TRUE(queued.Finished(10000));
    EXPECT_EQ(busy.result, S_FALSE);
    EXPECT_EQ(queued.hr, S_OK);
    EXPECT_EQ(queued.result, E_ABORT);
}

TEST(KivWorker, ManyPostersAreEachAnsweredOnce)
{
    FakeServerServices services;
    TestWorker worker(services);
    ASSERT_EQ(worker.Start(), S_OK);
    std::vector<std::unique_ptr<AskInBackground>> askers;
    for (int i = 0; i < 24; ++i) {
        askers.push_back(std::make_unique<AskInBackground>());
        askers.back()->worker = &worker;
        askers.back()->type = ANSWER;
        askers.back()->Start();
    }
    for (auto& asker : askers) {
        ASSERT_TRUE(asker->Finished(20000));
        EXPECT_EQ(asker->hr, S_OK);
        EXPECT_EQ(asker->result, S_OK);
    }
}

TEST(WorkerBusyCounters, CountWaitersPerWorkerAndIgnoreNumbersWithoutCounter)
{
    LONG before = WorkerBusyCounters::Get(3);
    WorkerBusyCounters::Raise(3, nullptr);
    WorkerBusyCounters::Raise(3, nullptr);
    EXPECT_EQ(WorkerBusyCounters::Get(3), before + 2);
    WorkerBusyCounters::Lower(3, nullptr);
    WorkerBusyCounters::Lower(3, nullptr);
    EXPECT_EQ(WorkerBusyCounters::Get(3), before);

    WorkerBusyCounters::Raise(7, nullptr);
    WorkerBusyCounters::Raise(0, nullptr);
    EXPECT_EQ(WorkerBusyCounters::Get(7), 0);
    EXPECT_EQ(WorkerBusyCounters::Get(0), 0);
}
