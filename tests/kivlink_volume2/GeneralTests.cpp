// KivGeneral from a client process: who the phone is, its battery and signal through one
// reading per twenty minutes, and its connection.
#include "VolumeFixture.h"

#include "com/UniqueBstr.h"

#include "SymbianConnect.h"

#include <cwctype>
#include <string>

using tolv::com::com_ptr;
using tolv::com::unique_bstr;

namespace {

constexpr long kUnknownBitErrorRate = 100;
constexpr long kRevisionWithoutReadings = 99;
constexpr long kOrdinaryRevision = 1;
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
        if (m_simulator)
            m_simulator->SetPhoneCondition(conditionMtmRevision, kOrdinaryRevision);
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

    com_ptr<IKivGeneral> fresh;
    ASSERT_EQ(CoCreateInstance(CLSID_KivGeneral, nullptr, CLSCTX_LOCAL_SERVER, IID_IKivGeneral, fresh.put_void()),
              S_OK);
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
