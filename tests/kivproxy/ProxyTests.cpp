// KivProxyServer from one single-threaded apartment, against Kivlink and the simulated phone.
#include "ProxyFixture.h"

#include "com/UniqueBstr.h"
#include "tests/kivlink_phone/PhoneSimulator.h"
#include "tests/support/ChildProcess.h"

namespace {

constexpr long kCopyToPhoneFlags = eBlocked | eNoOverwrite;
constexpr DWORD kEventWaitMs = 30000;
constexpr size_t kSlowFileBytes = 3 * 1024 * 1024;

// Slows the simulator's transfers down for one test, so that a copy reports progress.
class SlowPhone {
public:
    explicit SlowPhone(const wchar_t* rate) { EXPECT_EQ(RunPhoneSim(std::wstring(L"rate ") + rate), 0); }
    ~SlowPhone() { RunPhoneSim(L"rate 0"); }
};

HRESULT CopyToPhone(IKivVolume2* proxy, const std::wstring& pcFile, const wchar_t* phoneFile)
{
    tolv::com::unique_bstr source(pcFile.c_str());
    tolv::com::unique_bstr destination(phoneFile);
    return proxy->CopyFromPC(source.get(), destination.get(), kCopyToPhoneFlags);
}

std::wstring ListEntries(IKivVolume2* proxy, const wchar_t* folder, HRESULT& hr)
{
    tolv::com::unique_bstr path(folder);
    BSTR entries = nullptr;
    hr = proxy->ListEntries(path.get(), VARIANT_FALSE, &entries);
    return Text(entries);
}

std::wstring ListDrives(IKivVolume2* proxy, HRESULT& hr)
{
    BSTR drives = nullptr;
    hr = proxy->ListDrives(&drives);
    return Text(drives);
}

}  // namespace

TEST_F(ProxyTest, ListsNamesRelativeToTheFolderAndCopiesToThePhoneWithProgress)
{
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Music\\old.mp3"), 1000));
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Music\\Live\\take.mp3"), 1000));
    HRESULT hr = E_FAIL;
    EXPECT_EQ(ListEntries(m_proxy.get(), L"C:\\Music", hr), L"old.mp3,Live,");
    EXPECT_EQ(hr, S_OK);

    RecordingSink& progress = KivlinkEventsSink();
    ProxyEventRecorder& operations = ProxyEventsSink();
    const std::wstring pcFile = TestFolder() + L"\\new.mp3";
    ASSERT_TRUE(WriteTestFile(pcFile, kSlowFileBytes));
    {
        SlowPhone slow(L"1M");
        ASSERT_EQ(CopyToPhone(m_proxy.get(), pcFile, L"C:\\Music\\new.mp3"), S_OK);
    }
    EXPECT_EQ(FileSizeOf(BackingPath(L"C:\\Music\\new.mp3")), static_cast<long long>(kSlowFileBytes));
    EXPECT_TRUE(progress.WaitFor(EVENT_PROGRESS, kEventWaitMs, aidCopyFromPC));
    const std::vector<ReceivedEvent> reports = progress.EventsOf(EVENT_PROGRESS);
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.front().path, pcFile);
    EXPECT_EQ(reports.back().value, 100);
    EXPECT_EQ(ListEntries(m_proxy.get(), L"C:\\Music\\", hr), L"new.mp3,old.mp3,Live,");

    // The copy as the proxy's own events tell it: started, then ended with its result.
    const std::vector<ProxyEvent> started = operations.EventsOf(PROXY_OPERATION_STARTED);
    const std::vector<ProxyEvent> ended = operations.EventsOf(PROXY_OPERATION_ENDED);
    ASSERT_EQ(started.size(), 1u);
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(started[0].arguments, (std::vector<std::wstring>{std::to_wstring(aidCopyFromPC), pcFile}));
    EXPECT_EQ(ended[0].arguments,
              (std::vector<std::wstring>{std::to_wstring(aidCopyFromPC), pcFile, L"C:\\Music\\new.mp3", L"0"}));
}

TEST_F(ProxyTest, ACancelAnsweredOnTheProxysSinkStopsTheCopy)
{
    RecordingSink& watcher = KivlinkEventsSink();
    RecordingSink& canceller = KivlinkEventsSink();
    canceller.CancelAtPercentage(1);
    const std::wstring pcFile = TestFolder() + L"\\long.mp3";
    ASSERT_TRUE(WriteTestFile(pcFile, kSlowFileBytes));
    SlowPhone slow(L"1M");
    EXPECT_EQ(CopyToPhone(m_proxy.get(), pcFile, L"C:\\Cancel\\long.mp3"), E_ABORT);
    EXPECT_FALSE(FileExists(BackingPath(L"C:\\Cancel\\long.mp3")));
    // The sink that did not cancel saw the reports all the same.
    EXPECT_FALSE(watcher.EventsOf(EVENT_PROGRESS).empty());
}

TEST_F(ProxyTest, ThePhonesComingAndGoingAreTheFirstAndSixthEvents)
{
    ProxyEventRecorder& phone = ProxyEventsSink();
    RecordingSink& kivlink = KivlinkEventsSink();
    HRESULT hr = E_FAIL;
    ASSERT_EQ(ListDrives(m_proxy.get(), hr), L"C:,E:,");

    ASSERT_EQ(DisconnectPhones(), 0);
    ASSERT_TRUE(phone.WaitFor(PROXY_PHONE_DISCONNECTED, kEventWaitMs));
    EXPECT_TRUE(phone.EventsOf(PROXY_PHONE_DISCONNECTED)[0].arguments.empty());
    EXPECT_TRUE(kivlink.WaitFor(EVENT_DISCONNECTED, kEventWaitMs));

    ASSERT_EQ(ConnectPhone(), 0);
    ASSERT_TRUE(phone.WaitFor(PROXY_PHONE_CONNECTED, kEventWaitMs));
    const std::vector<std::wstring> connected = phone.EventsOf(PROXY_PHONE_CONNECTED)[0].arguments;
    ASSERT_EQ(connected.size(), 6u);
    EXPECT_EQ(connected[0], kSimulatedPhone);
    EXPECT_EQ(connected[1], L"Tamlo");
    EXPECT_EQ(connected[2], L"Vostrel");
    EXPECT_EQ(connected[5], kSimulatedPhone);
    // Kivlink's own notice reaches the proxy's IKivAllServerEvents sinks unchanged.
    ASSERT_TRUE(kivlink.WaitFor(EVENT_CONNECTED, kEventWaitMs));
    EXPECT_EQ(kivlink.EventsOf(EVENT_CONNECTED)[0].path, kSimulatedPhone);

    // And the proxy keeps working with the phone that came back.
    EXPECT_EQ(ListDrives(m_proxy.get(), hr), L"C:,E:,");
    tolv::com::com_ptr<IKivProxyServer> own;
    ASSERT_EQ(m_proxy.query(own), S_OK);
    tolv::com::unique_bstr name;
    ASSERT_EQ(own->GetPhoneName(name.put()), S_OK);
    EXPECT_EQ(Text(SysAllocString(name.get())), L"Tamlo");
}

TEST_F(ProxyTest, AProxyCreatedAfterKivlinkEndedStartsItAgain)
{
    HRESULT hr = E_FAIL;
    ASSERT_EQ(ListDrives(m_proxy.get(), hr), L"C:,E:,");
    // Nobody holds Kivlink any more: it ends by itself.
    m_proxy = nullptr;
    ASSERT_GE(WaitUntilGone(L"Kivlink.exe", 30000), 0);

    ASSERT_EQ(
        CoCreateInstance(CLSID_KivProxyServer, nullptr, CLSCTX_INPROC_SERVER, IID_IKivVolume2, m_proxy.put_void()),
        S_OK);
    EXPECT_FALSE(ProcessIdsOf(L"Kivlink.exe").empty());
    EXPECT_EQ(ListDrives(m_proxy.get(), hr), L"C:,E:,");
}
