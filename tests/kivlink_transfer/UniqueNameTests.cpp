// Unique destination names: base " (N)" extension from N = 0, skipping every name the folder
// holds, files and folders alike, in any letter case.
#include "TransferTestFiles.h"

#include "ModelFixture.h"

#include "Components/Kivlink/transfer/UniqueDestinationName.h"

#include "KivlinkLib.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::wstring Free(const wchar_t* wanted, std::vector<CKivString> taken)
{
    return FirstFreeName(CKivString(wanted), taken).c_str();
}

}  // namespace

TEST(UniqueName, FirstCandidateIsNumberZero)
{
    EXPECT_EQ(Free(L"a.mp3", {}), L"a (0).mp3");
    EXPECT_EQ(Free(L"a.mp3", {CKivString(L"a.mp3")}), L"a (0).mp3");
    EXPECT_EQ(Free(L"README", {CKivString(L"README (0)")}), L"README (1)");
    // The extension is what follows the last dot.
    EXPECT_EQ(Free(L"live.2004.mp3", {}), L"live.2004 (0).mp3");
}

TEST(UniqueName, SkipsTakenNamesWhateverTheirLetterCase)
{
    EXPECT_EQ(Free(L"a.mp3", {CKivString(L"a (0).mp3"), CKivString(L"A (1).MP3"), CKivString(L"a (3).mp3")}),
              L"a (2).mp3");
}

TEST(UniqueName, SplitsBaseAndExtension)
{
    CKivString base;
    CKivString extension;
    SplitBaseAndExtension(CKivString(L"photo.large.jpg"), base, extension);
    EXPECT_EQ(std::wstring(base.c_str()), L"photo.large");
    EXPECT_EQ(std::wstring(extension.c_str()), L".jpg");
    SplitBaseAndExtension(CKivString(L"notes"), base, extension);
    EXPECT_EQ(std::wstring(base.c_str()), L"notes");
    EXPECT_TRUE(extension.empty());
}

TEST(UniqueName, OnThePcListsTheFolder)
{
    TestFolder folder;
    WritePcFile(folder / L"a.mp3", 1);
    WritePcFile(folder / L"A (0).MP3", 1);
    ASSERT_TRUE(CreateDirectoryW((folder / L"a (1).mp3").c_str(), nullptr));
    WritePcFile(folder / L"b (2).mp3", 1);
    CKivString unique;
    ASSERT_EQ(UniquePcName(CKivString(folder.Path().c_str()), CKivString(L"a.mp3"), unique), S_OK);
    EXPECT_EQ(std::wstring(unique.c_str()), L"a (2).mp3");
    ASSERT_EQ(UniquePcName(CKivString(folder.Path().c_str()), CKivString(L"new.mp3"), unique), S_OK);
    EXPECT_EQ(std::wstring(unique.c_str()), L"new (0).mp3");
}

class PhoneUniqueName : public ModelFixture {};

TEST_F(PhoneUniqueName, ListsTheWholePhoneFolder)
{
    world.AddFolder(phone, L"E:\\Music\\a (2).mp3");
    world.AddFile(phone, L"E:\\Music\\a.mp3", 4);
    world.AddFile(phone, L"E:\\Music\\a (0).mp3", 4);
    // The phone's listing filter tells letter case apart; the check must not.
    world.AddFile(phone, L"E:\\Music\\A (1).MP3", 4);
    CKivString unique;
    ASSERT_EQ(::UniquePhoneName(*device, CKivString(L"E:\\Music\\"), CKivString(L"a.mp3"), unique), S_OK);
    EXPECT_EQ(std::wstring(unique.c_str()), L"a (3).mp3");
}

TEST_F(PhoneUniqueName, AMissingFolderIsTheLookupError)
{
    CKivString unique;
    EXPECT_EQ(::UniquePhoneName(*device, CKivString(L"E:\\Nothing\\"), CKivString(L"a.mp3"), unique),
              KIV_E_FOLDERNOTFOUND);
}
