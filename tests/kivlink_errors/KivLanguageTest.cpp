// The suite language as Kivlink reads it from EnvironmentServer: kept once read, read again
// after a failure, read once however many threads ask at the same time.
#include <gtest/gtest.h>

#include <process.h>

#include <vector>

#include "Components/Kivlink/errors/KivLanguage.h"
#include "com/ComInit.h"
#include "com/UniqueHandle.h"
#include "tests/kivlink_errors/FakeEnvironmentServer.h"

namespace {

class KivLanguageRead : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(com.succeeded()); }

    // The multithreaded apartment: the class object registered here serves every thread.
    tolv::com::com_init com{COINIT_MULTITHREADED};
};

FakeEnvironmentBehaviour Answering(short language)
{
    FakeEnvironmentBehaviour behaviour;
    behaviour.language = language;
    return behaviour;
}

FakeEnvironmentBehaviour FailingWith(HRESULT answer)
{
    FakeEnvironmentBehaviour behaviour;
    behaviour.answer = answer;
    return behaviour;
}

}  // namespace

TEST_F(KivLanguageRead, TheServersAnswerIsTheLanguageAndTheObjectIsReleased)
{
    CFakeEnvironmentServerRegistration server(Answering(3082));
    ASSERT_EQ(server.Result(), S_OK);
    EXPECT_EQ(KivReadEnvironmentLanguage(nullptr), LANGID{3082});
    EXPECT_EQ(server.LanguageCalls(), 1);
    EXPECT_EQ(server.LiveObjects(), 0);
}

TEST_F(KivLanguageRead, AFailingCallOrCreationGivesZero)
{
    CFakeEnvironmentServerRegistration server(FailingWith(E_FAIL));
    ASSERT_EQ(server.Result(), S_OK);
    EXPECT_EQ(KivReadEnvironmentLanguage(nullptr), LANGID{0});

    FakeEnvironmentBehaviour refusing;
    refusing.creation = CLASS_E_CLASSNOTAVAILABLE;
    server.SetBehaviour(refusing);
    EXPECT_EQ(KivReadEnvironmentLanguage(nullptr), LANGID{0});

    FakeEnvironmentBehaviour stranger;
    stranger.offersInterface = false;
    server.SetBehaviour(stranger);
    EXPECT_EQ(KivReadEnvironmentLanguage(nullptr), LANGID{0});
    EXPECT_EQ(server.Creations(), 3);
    EXPECT_EQ(server.LiveObjects(), 0);
}

TEST_F(KivLanguageRead, TheLanguageIsKeptOnceRead)
{
    CFakeEnvironmentServerRegistration server(Answering(1031));
    CKivLanguage language;
    EXPECT_EQ(language.Current(), LANGID{0});
    EXPECT_EQ(language.Get(nullptr), LANGID{1031});
    server.SetBehaviour(Answering(1036));
    EXPECT_EQ(language.Get(nullptr), LANGID{1031});
    EXPECT_EQ(language.Current(), LANGID{1031});
    EXPECT_EQ(server.Creations(), 1);
}

TEST_F(KivLanguageRead, AFailedReadIsRepeatedAtTheNextRequest)
{
    CFakeEnvironmentServerRegistration server(FailingWith(RPC_E_SERVERFAULT));
    CKivLanguage language;
    EXPECT_EQ(language.Get(nullptr), LANGID{0});
    EXPECT_EQ(language.Get(nullptr), LANGID{0});
    EXPECT_EQ(server.LanguageCalls(), 2);

    server.SetBehaviour(Answering(1049));
    EXPECT_EQ(language.Get(nullptr), LANGID{1049});
    EXPECT_EQ(language.Get(nullptr), LANGID{1049});
    EXPECT_EQ(server.LanguageCalls(), 3);
}

namespace {

struct ConcurrentRead {
    CKivLanguage* language;
    HANDLE start;
    LANGID result;
};

unsigned __stdcall ReadAfterStart(void* argument)
{
    auto* read = static_cast<ConcurrentRead*>(argument);
    tolv::com::com_init com(COINIT_MULTITHREADED);
    WaitForSingleObject(read->start, INFINITE);
    read->result = read->language->Get(nullptr);
    return 0;
}

}  // namespace

TEST_F(KivLanguageRead, ConcurrentRequestsShareOneRead)
{
    FakeEnvironmentBehaviour slow = Answering(2052);
    slow.callDelayMs = 200;
    CFakeEnvironmentServerRegistration server(slow);
    CKivLanguage language;
    tolv::com::unique_handle start(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(start.valid());

    std::vector<ConcurrentRead> reads(6, ConcurrentRead{&language, start.get(), 0});
    std::vector<tolv::com::unique_handle> threads;
    for (ConcurrentRead& read : reads) {
        threads.emplace_back(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ReadAfterStart, &read, 0, nullptr)));
        ASSERT_TRUE(threads.back().valid());
    }
    SetEvent(start.get());
    for (const tolv::com::unique_handle& thread : threads) {
        ASSERT_EQ(WaitForSingleObject(thread.get(), 30000), WAIT_OBJECT_0);
    }
    for (const ConcurrentRead& read : reads) {
        EXPECT_EQ(read.result, LANGID{2052});
    }
    EXPECT_EQ(server.LanguageCalls(), 1);
}
