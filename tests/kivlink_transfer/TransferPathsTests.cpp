// Splitting destinations into folder and name: phone paths know only backslashes, PC paths
// also slashes, and a drive without a folder means its root.
#include "Components/Kivlink/transfer/TransferPaths.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Text(const CKivString& value)
{
    return value.c_str();
}

}  // namespace

TEST(TransferPaths, SplitsAtTheLastSeparatorOfItsKind)
{
    SFolderAndName phone = SplitFolderAndName(L"E:\\Music\\Rock/a.mp3", false);
    EXPECT_EQ(Text(phone.folder), L"E:\\Music\\");
    EXPECT_EQ(Text(phone.name), L"Rock/a.mp3");

    SFolderAndName pc = SplitFolderAndName(L"C:\\Downloads/Music\\new/a.mp3", true);
    EXPECT_EQ(Text(pc.folder), L"C:\\Downloads/Music\\new/");
    EXPECT_EQ(Text(pc.name), L"a.mp3");
}

TEST(TransferPaths, FolderPathsHaveNoNameAndBareNamesNoFolder)
{
    SFolderAndName folder = SplitFolderAndName(L"E:\\Music\\", false);
    EXPECT_EQ(Text(folder.folder), L"E:\\Music\\");
    EXPECT_TRUE(folder.name.empty());

    SFolderAndName drive = SplitFolderAndName(L"E:a.mp3", false);
    EXPECT_EQ(Text(drive.folder), L"E:\\");
    EXPECT_EQ(Text(drive.name), L"a.mp3");

    SFolderAndName bare = SplitFolderAndName(L"a.mp3", true);
    EXPECT_TRUE(bare.folder.empty());
    EXPECT_EQ(Text(bare.name), L"a.mp3");
    EXPECT_TRUE(SplitFolderAndName(nullptr, true).name.empty());
}

TEST(TransferPaths, JoiningAddsOneSeparatorOnlyWhereMissing)
{
    EXPECT_EQ(Text(JoinFolderAndName(CKivString(L"E:\\Music"), CKivString(L"a.mp3"))), L"E:\\Music\\a.mp3");
    EXPECT_EQ(Text(JoinFolderAndName(CKivString(L"E:\\Music\\"), CKivString(L"a.mp3"))), L"E:\\Music\\a.mp3");
    EXPECT_EQ(Text(JoinFolderAndName(CKivString(L"C:/tmp/"), CKivString(L"a"))), L"C:/tmp/a");
    EXPECT_EQ(Text(JoinFolderAndName(CKivString(), CKivString(L"a.mp3"))), L"a.mp3");
    EXPECT_TRUE(EndsWithSeparator(L"C:/tmp/", true));
    EXPECT_FALSE(EndsWithSeparator(L"C:/tmp/", false));
    EXPECT_FALSE(EndsWithSeparator(L"", true));
}
