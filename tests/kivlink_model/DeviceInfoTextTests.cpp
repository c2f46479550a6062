// The device information text of the connect notice and its display names.
#include "FakePhone.h"

#include "Components/Kivlink/model/DeviceInfoText.h"

#include "com/ComInit.h"

#include <gtest/gtest.h>

TEST(DeviceInfoText, EveryValueIsFollowedByACommaAndFailedReadingsStayEmpty)
{
    EXPECT_STREQ(FormatDeviceInfoText(L"Nokia", L"N70", CPhoneStatusReading{80, 3}, L"123").c_str(),
                 L"manufacturer=Nokia,model=N70,charge=80,signal=3,IMEI=123,");
    EXPECT_STREQ(FormatDeviceInfoText(L"Nokia", L"N70", std::nullopt, L"123").c_str(),
                 L"manufacturer=Nokia,model=N70,charge=,signal=,IMEI=123,");
    EXPECT_STREQ(FormatDeviceInfoText(L"", L"", CPhoneStatusReading{0, 0}, L"").c_str(),
                 L"manufacturer=,model=,charge=0,signal=0,IMEI=,");
}

TEST(DeviceInfoText, TamloIdentifiersAndItsUnknownMakerGetTheirDisplayNames)
{
    for (const wchar_t* model : {L"Tamlo", L"1112691795", L"270504049"}) {
        EXPECT_STREQ(DisplayModelName(model).c_str(), L"Tamlo");
        EXPECT_STREQ(FormatDeviceInfoText(L"Unknown", model, std::nullopt, L"1").c_str(),
                     L"manufacturer=Vostrel,model=Tamlo,charge=,signal=,IMEI=1,");
    }
    EXPECT_STREQ(DisplayModelName(L"tamlo").c_str(), L"tamlo");
    EXPECT_STREQ(DisplayManufacturer(L"Unknown", L"N70").c_str(), L"Unknown");
    EXPECT_STREQ(DisplayManufacturer(L"Nokia", L"Tamlo").c_str(), L"Nokia");
}

TEST(DeviceInfoText, TheIdentityIsReadFromTheDeviceOfThatNameOnly)
{
    tolv::com::com_init com(COINIT_MULTITHREADED);
    FakePhoneWorld world;
    world.AddDevice(L"111")->model = L"N70";
    auto second = world.AddDevice(L"222");
    second->model = L"270504049";
    second->manufacturer = L"Unknown";
    tolv::com::com_ptr<ISCApplication> application;
    ASSERT_EQ(world.CreateApplication(application), S_OK);

    CKivString manufacturer, model;
    ASSERT_EQ(ReadDeviceIdentity(application.get(), L"222", manufacturer, model), S_OK);
    EXPECT_STREQ(model.c_str(), L"270504049");
    EXPECT_STREQ(FormatDeviceInfoText(manufacturer, model, std::nullopt, L"222").c_str(),
                 L"manufacturer=Vostrel,model=Tamlo,charge=,signal=,IMEI=222,");
    // A name that is not connected leaves both empty.
    ASSERT_EQ(ReadDeviceIdentity(application.get(), L"333", manufacturer, model), S_OK);
    EXPECT_TRUE(manufacturer.empty());
    EXPECT_TRUE(model.empty());
    EXPECT_EQ(ReadDeviceIdentity(nullptr, L"222", manufacturer, model), E_POINTER);
}
