// KivGeneral from a client process: who the phone is, its battery and signal through one
// reading per twenty minutes, and its connection.
#include "VolumeFixture.h"

#include "tests/kivlink_phone/PhoneSimulator.h"

#include "com/UniqueBstr.h"
#include "tests/support/TestThread.h"
#include "platform/phonesim/PhoneCondition.h"
#include "platform/smrouter/RouterPortStore.h"

#include "SymbianConnect.h"

#include <atomic>
#include <cwctype>
#include <string>

using tolv::com::com_ptr;
using tolv::com::unique_bstr;

namespace {

constexpr long kUnknownBitErrorRate = 100;
constexpr long kRevisionWithoutReadings = 99;
constexpr HRESULT kReadingsNotSupported = static_cast<HRESULT>(0x8007000A);

class GeneralTest : public VolumeTest {
protected:
    void SetUp() override
    {
        VolumeTest::SetUp();
        ASSERT_EQ(
            CoCreateInstance(CLSID_KivGeneral, nullptr, CLSCTX_LOCAL_SERVER, IID_IKivGeneral, m_general.put_void()),
            S_OK);
        ASSERT_EQ(CoCreateInstance(CLSID_PhoneSimControl, nullptr, CLSCTX_LOCAL_SERVER, IID_IPhoneSimControl,
                                   m_simulator.put_void()),
                  S_OK);
    }
    void TearDown() override
    {
        // The other tests of the program see the phone as it starts.
        if (m_simulator) {
            m_simulator->SetPhoneCondition(conditionMtmRevision, phonesim::CPhoneCondition::kDefaultMtmRevision);
            m_simulator->SetPhoneCondition(conditionBattery, phonesim::CPhoneCondition::kDefaultBattery);
            m_simulator->SetPhoneCondition(conditionSignal, phonesim::CPhoneCondition::kDefaultSignal);
        }
        m_general = nullptr;
        m_simulator = nullptr;
        VolumeTest::TearDown();
    }
    long Readings()
    {
        long readings = -1;
        EXPECT_EQ(m_simulator->GetStatusReadingCount(&readings), S_OK);
        return readings;
    }

    com_ptr<IKivGeneral> m_general;
    com_ptr<IPhoneSimControl> m_simulator;
};

com_ptr<IKivGeneral> NewGeneral()
{
    com_ptr<IKivGeneral> general;
    EXPECT_EQ(CoCreateInstance(CLSID_KivGeneral, nullptr, CLSCTX_LOCAL_SERVER, IID_IKivGeneral, general.put_void()),
              S_OK);
    return general;
}

// The router's state of one port: 1 enabled, 0 disabled, -1 unknown.
int PortEnabled(const wchar_t* port)
{
    std::vector<smrouter::PortState> ports;
    if (FAILED(smrouter::CRouterPortStore::List(ports)))
        return -1;
    for (const smrouter::PortState& state : ports)
        if (state.name == port)
            return state.enabled ? 1 : 0;
    return -1;
}

bool IsDottedVersion(const std::wstring& text)
{
    int dots = 0;
    for (wchar_t c : text) {
        if (c == L'.')
            ++dots;
        else if (!std::iswdigit(c))
            return false;
    }
    return dots == 3;
}

}  // namespace

TEST_F(GeneralTest, OneReadingServesChargeAndSignalUntilANewObjectAsks)
{
    ASSERT_EQ(m_simulator->SetPhoneCondition(conditionBattery, 55), S_OK);
    ASSERT_EQ(m_simulator->SetPhoneCondition(conditionSignal, 33), S_OK);
    const long before = Readings();
    LONG charge = 0;
    ASSERT_EQ(m_general->GetCharge(&charge), S_OK);
    EXPECT_EQ(charge, 55);
    LONG level = 0;
    LONG bitErrorRate = 0;
    ASSERT_EQ(m_general->GetSignalQuality(&level, &bitErrorRate), S_OK);
    EXPECT_EQ(level, 33);
    EXPECT_EQ(bitErrorRate, kUnknownBitErrorRate);
    EXPECT_EQ(Readings() - before, 1);

    // The phone changed, but the reading is young: the old value stands.
    ASSERT_EQ(m_simulator->SetPhoneCondition(conditionBattery, 20), S_OK);
    ASSERT_EQ(m_general->GetCharge(&charge), S_OK);
    EXPECT_EQ(charge, 55);

    com_ptr<IKivGeneral> fresh = NewGeneral();
    ASSERT_TRUE(fresh);
    ASSERT_EQ(fresh->GetCharge(&charge), S_OK);
    EXPECT_EQ(charge, 20);
    EXPECT_EQ(Readings() - before, 2);
}

TEST_F(GeneralTest, AMessageBrowserOfRevision99CannotRead)
{
    ASSERT_EQ(m_simulator->SetPhoneCondition(conditionMtmRevision, kRevisionWithoutReadings), S_OK);
    LONG charge = 0;
    EXPECT_EQ(m_general->GetCharge(&charge), kReadingsNotSupported);
}

TEST_F(GeneralTest, ThePhoneIsDescribedWithKivlinksOwnVersion)
{
    unique_bstr manufacturer;
    unique_bstr model;
    unique_bstr imei;
    unique_bstr version;
    LONG charge = -1;
    ASSERT_EQ(m_general->GetMobileInfo(manufacturer.put(), model.put(), imei.put(), version.put(), &charge), S_OK);
    EXPECT_FALSE(Text(model.get()).empty());
    EXPECT_FALSE(Text(imei.get()).empty());
    EXPECT_TRUE(IsDottedVersion(Text(version.get()))) << Text(version.get());
    EXPECT_GE(charge, 0);

    KivGeneralConnectionState state = dgcsDisconnected;
    ASSERT_EQ(m_general->GetConnectionState(&state), S_OK);
    EXPECT_EQ(state, dgcsConnected);
}

TEST_F(GeneralTest, AReconnectForcesANewReadingAndTheConnectNoticeCarriesIt)
{
    RecordingSink& sink = AdvisedSink();
    ASSERT_EQ(m_simulator->SetPhoneCondition(conditionBattery, 70), S_OK);
    LONG charge = 0;
    ASSERT_EQ(m_general->GetCharge(&charge), S_OK);
    EXPECT_EQ(charge, 70);

    ASSERT_EQ(DisconnectPhones(), 0);
    ASSERT_EQ(m_simulator->SetPhoneCondition(conditionBattery, 35), S_OK);
    ASSERT_EQ(m_simulator->SetPhoneCondition(conditionSignal, 6), S_OK);
    ASSERT_EQ(ConnectPhone(), 0);
    ASSERT_TRUE(sink.WaitFor(EVENT_CONNECTED, 20000));
    const std::vector<ReceivedEvent> connects = sink.EventsOf(EVENT_CONNECTED);
    EXPECT_NE(connects.back().deviceInformation.find(L",charge=35,signal=6,"), std::wstring::npos)
        << connects.back().deviceInformation;

    // The same object, well within its twenty minutes: the connect made its reading stale.
    ASSERT_EQ(m_general->GetCharge(&charge), S_OK);
    EXPECT_EQ(charge, 35);
}

TEST_F(GeneralTest, TheDeviceTextCarriesTheReadingAndStaysEmptyWhenItFails)
{
    ASSERT_EQ(m_simulator->SetPhoneCondition(conditionBattery, 61), S_OK);
    ASSERT_EQ(m_simulator->SetPhoneCondition(conditionSignal, 4), S_OK);
    unique_bstr info;
    ASSERT_EQ(m_volume->GetInfo(nullptr, info.put()), S_OK);
    EXPECT_NE(Text(info.get()).find(L",charge=61,signal=4,"), std::wstring::npos) << Text(info.get());

    ASSERT_EQ(m_simulator->SetPhoneCondition(conditionMtmRevision, kRevisionWithoutReadings), S_OK);
    ASSERT_EQ(m_volume->GetInfo(nullptr, info.put()), S_OK);
    EXPECT_NE(Text(info.get()).find(L",charge=,signal=,"), std::wstring::npos) << Text(info.get());
}

TEST_F(GeneralTest, PortsAreSwitchedThroughTheRouterAndAnEmptyResetMeansTheLastPortSet)
{
    ASSERT_EQ(RunPhoneSim(L"ports reset"), 0);
    const unique_bstr port(SysAllocString(L"COM3"));
    EXPECT_EQ(m_general->SetPort(port.get()), S_OK);
    EXPECT_EQ(PortEnabled(L"COM3"), 1);
    // Already enabled: the router says so with a success code, which the client sees as S_OK.
    EXPECT_EQ(m_general->SetPort(port.get()), S_OK);

    const unique_bstr none(SysAllocString(L""));
    EXPECT_EQ(m_general->ResetPort(none.get()), S_OK);
    EXPECT_EQ(PortEnabled(L"COM3"), 0);
    EXPECT_EQ(m_general->ResumeConnection(), S_OK);
    EXPECT_EQ(PortEnabled(L"COM3"), 1);
    EXPECT_EQ(m_general->SuspendConnection(), S_OK);
    EXPECT_EQ(PortEnabled(L"COM3"), 0);

    const unique_bstr unknown(SysAllocString(L"COM42"));
    EXPECT_LT(m_general->SetPort(unknown.get()), 0);
    RunPhoneSim(L"ports reset");
}

TEST_F(GeneralTest, ThePhoneStatusWorkerRefusesWhileABlockedCopyRuns)
{
    const std::wstring pc = TestFolder() + L"\\busy.bin";
    ASSERT_TRUE(WriteTestFile(pc, 3 * 1024 * 1024));
    ASSERT_EQ(RunPhoneSim(L"rate 1M"), 0);
    std::atomic<HRESULT> copied{E_PENDING};
    TestThread copier([&] {
        const tolv::com::com_init apartment(COINIT_MULTITHREADED);
        com_ptr<IKivVolume2> volume;
        if (FAILED(
                CoCreateInstance(CLSID_KivVolume2, nullptr, CLSCTX_LOCAL_SERVER, IID_IKivVolume2, volume.put_void()))) {
            copied = E_FAIL;
            return;
        }
        const unique_bstr from(SysAllocString(pc.c_str()));
        const unique_bstr to(SysAllocString(L"C:\\Busy\\"));
        copied = volume->CopyFromPC(from.get(), to.get(), eBlocked);
    });
    // A fresh object has no reading of its own, so each asks the worker.
    HRESULT refused = S_OK;
    for (int attempt = 0; attempt < 100 && copied == E_PENDING && SUCCEEDED(refused); ++attempt) {
        LONG charge = 0;
        refused = NewGeneral()->GetCharge(&charge);
        Sleep(50);
    }
    copier.Join();
    RunPhoneSim(L"rate 0");
    EXPECT_EQ(copied, S_OK);
    EXPECT_EQ(refused, E_FAIL);
    LONG charge = 0;
    EXPECT_EQ(NewGeneral()->GetCharge(&charge), S_OK);
}
