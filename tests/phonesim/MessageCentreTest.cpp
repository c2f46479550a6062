// MessageCentre as a client of the phone's messaging centre meets it: bound to the connected
// phone, it answers what the command line set for that phone and counts every reading.
#include "PhoneSimTest.h"

#include "com/HResult.h"

using tolv::com::com_ptr;

namespace {

constexpr LONG kMessageBrowserUid = 0x10004E05;
constexpr HRESULT kNotConnected = static_cast<HRESULT>(0x8007048F);

com_ptr<IMessageCentre> CreateMessageCentre()
{
    com_ptr<IMessageCentre> centre;
    const HRESULT hr =
        CoCreateInstance(CLSID_MessageCentre, nullptr, CLSCTX_ALL, IID_IMessageCentre, centre.put_void());
    EXPECT_EQ(hr, S_OK) << std::hex << hr;
    return centre;
}

struct Version {
    SHORT major = -1;
    SHORT minor = -1;
    SHORT build = -1;
    SHORT revision = -1;
};

class MessageCentreTest : public PhoneSimTest {
protected:
    void SetUp() override
    {
        PhoneSimTest::SetUp();
        centre = CreateMessageCentre();
        ASSERT_TRUE(centre);
    }
    void TearDown() override
    {
        centre = nullptr;
        if (control) {
            control->SetPhoneCondition(conditionBattery, kDefaultBattery);
            control->SetPhoneCondition(conditionSignal, kDefaultSignal);
            control->SetPhoneCondition(conditionMtmRevision, kDefaultRevision);
        }
        PhoneSimTest::TearDown();
    }

    LONG Readings()
    {
        LONG readings = -1;
        EXPECT_EQ(control->GetStatusReadingCount(&readings), S_OK);
        return readings;
    }

    static constexpr LONG kDefaultBattery = 80;
    static constexpr LONG kDefaultSignal = 60;
    static constexpr LONG kDefaultRevision = 1;
    com_ptr<IMessageCentre> centre;
};

TEST_F(MessageCentreTest, ReadsTheBatteryAndSignalTheCommandLineSet)
{
    ASSERT_EQ(RunPhoneSim(L"battery 42").exitCode, 0);
    ASSERT_EQ(RunPhoneSim(L"signal 17").exitCode, 0);
    EXPECT_EQ(RunPhoneSim(L"battery").output, "42\r\n");
    ASSERT_EQ(centre->Initialise(), S_OK);

    LONG battery = -1;
    LONG signal = -1;
    ASSERT_EQ(centre->GetBatterySignal(&battery, &signal), S_OK);
    EXPECT_EQ(battery, 42);
    EXPECT_EQ(signal, 17);

    // A change shows in the very next reading of the same object.
    ASSERT_EQ(RunPhoneSim(L"battery 100").exitCode, 0);
    ASSERT_EQ(centre->GetBatterySignal(&battery, &signal), S_OK);
    EXPECT_EQ(battery, 100);
    EXPECT_EQ(signal, 17);
}

TEST_F(MessageCentreTest, TheMessageBrowserVersionCarriesTheRevisionSet)
{
    ASSERT_EQ(centre->Initialise(), S_OK);
    Version version;
    ASSERT_EQ(centre->MtmVersion(kMessageBrowserUid, &version.major, &version.minor, &version.build, &version.revision),
              S_OK);
    EXPECT_EQ(version.revision, kDefaultRevision);

    // The revision that a client takes for a broken messaging centre.
    ASSERT_EQ(RunPhoneSim(L"mtm-revision 99").exitCode, 0);
    EXPECT_EQ(RunPhoneSim(L"mtm-revision").output, "99\r\n");
    ASSERT_EQ(centre->MtmVersion(kMessageBrowserUid, &version.major, &version.minor, &version.build, &version.revision),
              S_OK);
    EXPECT_EQ(version.major, 1);
    EXPECT_EQ(version.minor, 2);
    EXPECT_EQ(version.build, 300);
    EXPECT_EQ(version.revision, 99);
    // It says nothing about the readings themselves.
    LONG battery = -1;
    LONG signal = -1;
    EXPECT_EQ(centre->GetBatterySignal(&battery, &signal), S_OK);
}

TEST_F(MessageCentreTest, AModuleThePhoneDoesNotHaveIsNotFound)
{
    ASSERT_EQ(centre->Initialise(), S_OK);
    Version version;
    EXPECT_EQ(centre->MtmVersion(0x1000102C, &version.major, &version.minor, &version.build, &version.revision),
              HRESULT_FROM_WIN32(ERROR_NOT_FOUND));
}

TEST_F(MessageCentreTest, EveryAnsweredReadingIsCountedAndNothingElse)
{
    const LONG before = Readings();
    ASSERT_EQ(centre->Initialise(), S_OK);
    Version version;
    ASSERT_EQ(centre->MtmVersion(kMessageBrowserUid, &version.major, &version.minor, &version.build, &version.revision),
              S_OK);
    EXPECT_EQ(Readings(), before);

    LONG battery = -1;
    LONG signal = -1;
    ASSERT_EQ(centre->GetBatterySignal(&battery, &signal), S_OK);
    ASSERT_EQ(centre->GetBatterySignal(&battery, &signal), S_OK);
    // A second object reads the same phone and adds to the same count.
    const com_ptr<IMessageCentre> other = CreateMessageCentre();
    ASSERT_EQ(other->Initialise(), S_OK);
    ASSERT_EQ(other->GetBatterySignal(&battery, &signal), S_OK);
    EXPECT_EQ(Readings(), before + 3);
    EXPECT_EQ(RunPhoneSim(L"readings").output, std::to_string(before + 3) + "\r\n");

    // A reading refused is no reading.
    ASSERT_EQ(control->Disconnect(nullptr), S_OK);
    EXPECT_EQ(centre->GetBatterySignal(&battery, &signal), kNotConnected);
    EXPECT_EQ(Readings(), before + 3);
}

TEST_F(MessageCentreTest, WithoutAConnectedPhoneNothingIsRead)
{
    LONG battery = -1;
    LONG signal = -1;
    EXPECT_EQ(centre->GetBatterySignal(&battery, &signal), E_UNEXPECTED);

    ASSERT_EQ(control->Disconnect(nullptr), S_OK);
    EXPECT_EQ(centre->Initialise(), kNotConnected);
    Version version;
    EXPECT_EQ(centre->MtmVersion(kMessageBrowserUid, &version.major, &version.minor, &version.build, &version.revision),
              E_UNEXPECTED);
}

TEST_F(MessageCentreTest, ValuesOutOfRangeAreRefused)
{
    EXPECT_EQ(control->SetPhoneCondition(conditionBattery, 101), E_INVALIDARG);
    EXPECT_EQ(control->SetPhoneCondition(conditionSignal, -1), E_INVALIDARG);
    EXPECT_EQ(control->SetPhoneCondition(conditionMtmRevision, 0x10000), E_INVALIDARG);
    EXPECT_EQ(control->SetPhoneCondition(static_cast<PhoneSimCondition>(9), 1), E_INVALIDARG);
    LONG value = -1;
    ASSERT_EQ(control->GetPhoneCondition(conditionBattery, &value), S_OK);
    EXPECT_EQ(value, kDefaultBattery);
    EXPECT_EQ(control->SetPhoneCondition(conditionMtmRevision, 0xFFFF), S_OK);
}

}  // namespace
