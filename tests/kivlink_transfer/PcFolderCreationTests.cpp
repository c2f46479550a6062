// PC folder creation: every missing folder above is made first, a file in the way stops it
// with 0x80070090, and nothing is created below a folder that could not be made.
#include "TransferTestFiles.h"

#include "Components/Kivlink/transfer/PcFolderCreation.h"

#include "trace/TolvTrace.h"

#include <gtest/gtest.h>

namespace {

class PcFolderCreation : public testing::Test {
protected:
    TestFolder folder;
    CTolvTrace trace{"KivlinkTransferTest", 3, true};
};

}  // namespace

TEST_F(PcFolderCreation, CreatesEveryMissingFolderAbove)
{
    const std::wstring deep = folder / L"a\\b\\c";
    EXPECT_EQ(CreatePcFolder(deep.c_str(), &trace), S_OK);
    EXPECT_TRUE(PcFolderExists(folder / L"a"));
    EXPECT_TRUE(PcFolderExists(folder / L"a\\b"));
    EXPECT_TRUE(PcFolderExists(deep));
    // With a trailing backslash and with slashes alike.
    EXPECT_EQ(CreatePcFolder((folder / L"d/e\\f\\").c_str(), &trace), S_OK);
    EXPECT_TRUE(PcFolderExists(folder / L"d\\e\\f"));
}

TEST_F(PcFolderCreation, AFileAsParentIsReportedAsSuch)
{
    WritePcFile(folder / L"song.mp3", 3);
    EXPECT_EQ(CreatePcFolder((folder / L"song.mp3\\sub").c_str(), &trace), KIV_E_PC_PARENT_IS_FILE);
    EXPECT_EQ(KIV_E_PC_PARENT_IS_FILE, static_cast<HRESULT>(0x80070090));
    // Further up as well, and nothing is left behind.
    EXPECT_EQ(CreatePcFolder((folder / L"song.mp3\\sub\\deeper\\deepest").c_str(), &trace), KIV_E_PC_PARENT_IS_FILE);
    EXPECT_TRUE(PcFileExists(folder / L"song.mp3"));
}

TEST_F(PcFolderCreation, AnExistingEntryGivesTheWindowsError)
{
    ASSERT_TRUE(CreateDirectoryW((folder / L"there").c_str(), nullptr));
    EXPECT_EQ(CreatePcFolder((folder / L"there").c_str(), &trace), HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS));
    WritePcFile(folder / L"file", 1);
    EXPECT_EQ(CreatePcFolder((folder / L"file").c_str(), &trace), HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS));
}

TEST_F(PcFolderCreation, EndsOnADriveThatIsNotThere)
{
    // Walking up stops at the root instead of going round for ever.
    wchar_t drive[] = L"A:\\";
    for (wchar_t letter = L'Q'; letter >= L'J'; --letter) {
        drive[0] = letter;
        if (GetDriveTypeW(drive) == DRIVE_NO_ROOT_DIR)
            break;
    }
    ASSERT_EQ(GetDriveTypeW(drive), static_cast<UINT>(DRIVE_NO_ROOT_DIR)) << "no free drive letter";
    HRESULT hr = CreatePcFolder((std::wstring(drive) + L"x\\y").c_str(), &trace);
    EXPECT_TRUE(FAILED(hr));
    EXPECT_NE(hr, KIV_E_PC_PARENT_IS_FILE);
}
