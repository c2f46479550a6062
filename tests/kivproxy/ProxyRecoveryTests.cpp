// A proxy whose Kivlink goes away: the next call finds new Kivlink objects, and the proxy
// listens to them.
#include "FakeKivlink.h"
#include "ProxyFixture.h"

#include "com/UniqueBstr.h"
#include "tests/support/ChildProcess.h"

namespace {

class ProxyRecoveryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A real Kivlink left by another test would be found before the stand-in.
        ASSERT_GE(WaitUntilGone(L"Kivlink.exe", 30000), 0);
        ASSERT_TRUE(m_com.succeeded());
        ASSERT_EQ(m_kivlink.Registered(), S_OK);
        ASSERT_EQ(
            CoCreateInstance(CLSID_KivProxyServer, nullptr, CLSCTX_INPROC_SERVER, IID_IKivVolume2, m_proxy.put_void()),
            S_OK);
        ASSERT_EQ(m_kivlink.ObjectCount(), 1u);
        tolv::com::com_ptr<IConnectionPointContainer> container;
        ASSERT_EQ(m_proxy.query(container), S_OK);
        ASSERT_EQ(container->FindConnectionPoint(DIID__IKivProxyServerEvents, m_point.put()), S_OK);
        m_events.attach(new ProxyEventRecorder);
        ASSERT_EQ(m_point->Advise(m_events.get(), &m_cookie), S_OK);
    }
    void TearDown() override
    {
        if (m_point)
            m_point->Unadvise(m_cookie);
        m_point = nullptr;
        m_proxy = nullptr;
    }

    std::wstring Drives(HRESULT& hr)
    {
        BSTR drives = nullptr;
        hr = m_proxy->ListDrives(&drives);
        return Text(drives);
    }

    tolv::com::com_init m_com{COINIT_APARTMENTTHREADED};
    CFakeKivlink m_kivlink;
    tolv::com::com_ptr<IKivVolume2> m_proxy;
    tolv::com::com_ptr<IConnectionPoint> m_point;
    tolv::com::com_ptr<ProxyEventRecorder> m_events;
    DWORD m_cookie = 0;
};

}  // namespace

TEST_F(ProxyRecoveryTest, ACallThatFindsKivlinkGoneIsAnsweredByTheNextKivlink)
{
    m_kivlink.Object(0).LoseServer(HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE));
    HRESULT hr = E_FAIL;
    EXPECT_EQ(Drives(hr), L"C:,E:,");
    EXPECT_EQ(hr, S_OK);
    ASSERT_EQ(m_kivlink.ObjectCount(), 2u);
    EXPECT_EQ(m_kivlink.Object(1).CallCount(), 1);
    EXPECT_EQ(m_kivlink.Object(1).SinkCount(), 1u);

    const std::vector<ProxyEvent> lost = m_events->EventsOf(PROXY_KIVLINK_LOST);
    ASSERT_EQ(lost.size(), 1u);
    EXPECT_EQ(lost[0].arguments, (std::vector<std::wstring>{
                                     std::to_wstring(HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE)), L"ListDrives"}));
    EXPECT_EQ(m_events->EventsOf(PROXY_KIVLINK_BACK).size(), 1u);

    // The new Kivlink's notices are the ones that reach the proxy's sinks now.
    ASSERT_EQ(m_kivlink.Object(1).FireDeviceConnected(
                  L"354812013456789", L"manufacturer=Vostrel,model=Tamlo,charge=80,signal=60,IMEI=354812013456789,"),
              S_OK);
    const std::vector<ProxyEvent> connected = m_events->EventsOf(PROXY_PHONE_CONNECTED);
    ASSERT_EQ(connected.size(), 1u);
    EXPECT_EQ(connected[0].arguments,
              (std::vector<std::wstring>{L"354812013456789", L"Tamlo", L"Vostrel", L"80", L"60", L"354812013456789"}));
}

TEST_F(ProxyRecoveryTest, ACopyThatKivlinkDiedUnderIsNotRunAgain)
{
    m_kivlink.Object(0).LoseServer(HRESULT_FROM_WIN32(RPC_S_CALL_FAILED));
    tolv::com::unique_bstr source(L"C:\\pc\\song.mp3");
    tolv::com::unique_bstr destination(L"E:\\MP3\\song.mp3");
    EXPECT_EQ(m_proxy->CopyFromPC(source.get(), destination.get(), eBlocked | eNoOverwrite),
              HRESULT_FROM_WIN32(RPC_S_CALL_FAILED));
    // Reopened for the next call, but the copy itself went to no one else.
    ASSERT_EQ(m_kivlink.ObjectCount(), 2u);
    EXPECT_EQ(m_kivlink.Object(1).CallCount(), 0);
    const std::vector<ProxyEvent> ended = m_events->EventsOf(PROXY_OPERATION_ENDED);
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].arguments.back(), std::to_wstring(HRESULT_FROM_WIN32(RPC_S_CALL_FAILED)));

    HRESULT hr = E_FAIL;
    EXPECT_EQ(Drives(hr), L"C:,E:,");
    EXPECT_EQ(m_kivlink.Object(1).CallCount(), 1);
}
