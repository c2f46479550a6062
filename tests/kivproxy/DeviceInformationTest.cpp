#include "platform/kivproxy/DeviceInformation.h"

#include <gtest/gtest.h>

using kivproxy::DeviceInformation;
using kivproxy::ParseDeviceInformation;

TEST(DeviceInformation, ReadsEveryFieldOfKivlinksDeviceText)
{
    const DeviceInformation information =
        ParseDeviceInformation(L"manufacturer=Vostrel,model=Tamlo,charge=80,signal=60,IMEI=354812013456789,");
    EXPECT_EQ(information.manufacturer, L"Vostrel");
    EXPECT_EQ(information.model, L"Tamlo");
    EXPECT_EQ(information.charge, 80);
    EXPECT_EQ(information.signal, 60);
    EXPECT_EQ(information.imei, L"354812013456789");
}

TEST(DeviceInformation, AnUnreadStatusIsUnknownNotZero)
{
    const DeviceInformation information =
        ParseDeviceInformation(L"manufacturer=Nokia,model=6600,charge=,signal=x,IMEI=1,");
    EXPECT_EQ(information.model, L"6600");
    EXPECT_EQ(information.charge, DeviceInformation::kUnknownLevel);
    EXPECT_EQ(information.signal, DeviceInformation::kUnknownLevel);
}

TEST(DeviceInformation, MissingFieldsStayEmpty)
{
    const DeviceInformation information = ParseDeviceInformation(L"model=Tamlo");
    EXPECT_EQ(information.model, L"Tamlo");
    EXPECT_TRUE(information.manufacturer.empty());
    EXPECT_TRUE(information.imei.empty());
    EXPECT_EQ(ParseDeviceInformation(L"").charge, DeviceInformation::kUnknownLevel);
}
