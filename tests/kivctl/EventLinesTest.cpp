#include "tools/kivctl/EventLines.h"

#include <gtest/gtest.h>

#include "KivlinkLib.h"

TEST(KivctlEventLines, EachEventIsOneReadableLine)
{
    EXPECT_EQ(DeviceConnectedLine(L"354812013456789",
                                  L"manufacturer=Vostrel,model=Tamlo,charge=,signal=,IMEI=354812013456789,"),
              L"connected 354812013456789 manufacturer=Vostrel model=Tamlo charge= signal= IMEI=354812013456789");
    EXPECT_EQ(DeviceConnectedLine(L"1", L""), L"connected 1");
    EXPECT_EQ(DeviceDisconnectedLine(L"1"), L"disconnected 1");
    EXPECT_EQ(ProgressLine(aidCopyFromPC, L"Z:\\a.mp3", 42), L"progress copy-from-pc Z:\\a.mp3 42%");
    EXPECT_EQ(CompletionLine(aidFormat, L"E:", E_ABORT), L"completed format E: 0x80004004");
    EXPECT_EQ(CompletionLine(aidCopyToPC, L"C:\\b", S_OK), L"completed copy-to-pc C:\\b 0x00000000");
}

TEST(KivctlEventLines, ActionsHaveNamesAndUnknownOnesTheirNumber)
{
    EXPECT_EQ(ActionName(aidBackup), L"backup");
    EXPECT_EQ(ActionName(aidRestore), L"restore");
    EXPECT_EQ(ActionName(aidConversion), L"conversion");
    EXPECT_EQ(ActionName(17), L"action-17");
    EXPECT_EQ(HResultText(static_cast<HRESULT>(0x8004B001)), L"0x8004B001");
}
