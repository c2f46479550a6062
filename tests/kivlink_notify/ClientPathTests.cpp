// Phone folder names in the form IKivVolume clients register with.
#include "Components/Kivlink/paths/ClientPath.h"

#include <gtest/gtest.h>

namespace {

std::wstring ClientPathOf(const wchar_t* phoneFolder)
{
    std::wstring clientPath;
    EXPECT_EQ(ToClientPath(phoneFolder, clientPath), S_OK);
    return clientPath;
}

}  // namespace

TEST(ClientPath, APhoneMemoryFolderLosesItsDrive)
{
    EXPECT_EQ(ClientPathOf(L"C:\\Images\\"), L"\\Images\\");
    EXPECT_EQ(ClientPathOf(L"C:\\"), L"\\");
    EXPECT_EQ(ClientPathOf(L"D:\\Temp\\"), L"\\Temp\\");
}

TEST(ClientPath, AMemoryCardFolderIsNamedAsTheShellShowsTheCard)
{
    EXPECT_EQ(ClientPathOf(L"E:\\Sounds\\"), L"MultiMediaCard (E:)\\Sounds\\");
    EXPECT_EQ(ClientPathOf(L"e:\\Sounds\\Tones\\"), L"MultiMediaCard (E:)\\Sounds\\Tones\\");
    EXPECT_EQ(ClientPathOf(L"E:\\"), L"MultiMediaCard (E:)\\");
}

TEST(ClientPath, EveryFolderEndsWithABackslash)
{
    EXPECT_EQ(ClientPathOf(L"C:\\Images"), L"\\Images\\");
    EXPECT_EQ(ClientPathOf(L"E:\\Sounds"), L"MultiMediaCard (E:)\\Sounds\\");
    EXPECT_EQ(ClientPathOf(L"E:"), L"MultiMediaCard (E:)\\");
}
