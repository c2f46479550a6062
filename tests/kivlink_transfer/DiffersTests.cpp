// The differs test behind eLeaveIfDifferent: the PC file's creation time against the phone
// file's date, and the sizes, compared exactly.
#include "TransferTestFiles.h"

#include "ModelFixture.h"

#include "Components/Kivlink/transfer/DiffersTest.h"

#include <gtest/gtest.h>

namespace {

constexpr DATE kPhoneDate = 40000.5;  // 06/07/2009 12:00:00

class DiffersTest : public ModelFixture {
protected:
    CFileDescription PhoneFile(const wchar_t* path)
    {
        CFileDescription file;
        EXPECT_EQ(device->GetFile(path, file), S_OK);
        return file;
    }
    TestFolder folder;
};

}  // namespace

TEST_F(DiffersTest, SameDateAndSizeIsTheSameFile)
{
    const std::wstring pc = folder / L"A.JPG";
    WritePcFile(pc, 1234);
    SetCreationDate(pc, kPhoneDate);
    SPcFileStamp stamp = ReadPcFileStamp(pc.c_str());
    EXPECT_EQ(stamp.date, kPhoneDate);
    EXPECT_EQ(stamp.size, 1234u);
    CFileDescription phoneFile = PhoneFile(L"C:\\Images\\A.JPG");
    EXPECT_FALSE(PcFileDiffersFromPhoneFile(pc.c_str(), phoneFile));
}

TEST_F(DiffersTest, ASecondOrAByteMakesADifference)
{
    const std::wstring pc = folder / L"A.JPG";
    WritePcFile(pc, 1234);
    SetCreationDate(pc, kPhoneDate + 1.0 / 86400);
    CFileDescription phoneFile = PhoneFile(L"C:\\Images\\A.JPG");
    EXPECT_TRUE(PcFileDiffersFromPhoneFile(pc.c_str(), phoneFile));

    WritePcFile(pc, 1235);
    SetCreationDate(pc, kPhoneDate);
    CFileDescription again = PhoneFile(L"C:\\Images\\A.JPG");
    EXPECT_TRUE(PcFileDiffersFromPhoneFile(pc.c_str(), again));
}

TEST_F(DiffersTest, AFileThatCannotBeOpenedCountsAsDateOneSizeOne)
{
    SPcFileStamp stamp = ReadPcFileStamp((folder / L"missing.jpg").c_str());
    EXPECT_EQ(stamp.date, 1.0);
    EXPECT_EQ(stamp.size, 1u);
    CFileDescription phoneFile = PhoneFile(L"C:\\Images\\A.JPG");
    EXPECT_TRUE(PcFileDiffersFromPhoneFile((folder / L"missing.jpg").c_str(), phoneFile));
    world.AddFile(phone, L"C:\\Images\\one.jpg", 1, FILE_ATTRIBUTE_ARCHIVE, 1.0);
    CFileDescription one = PhoneFile(L"C:\\Images\\one.jpg");
    EXPECT_FALSE(PcFileDiffersFromPhoneFile((folder / L"missing.jpg").c_str(), one));
}

TEST_F(DiffersTest, APcFileOf4GiBMoreIsNotTheSmallPhoneFile)
{
    // Only the low half of its size matches the phone file's.
    const std::wstring pc = folder / L"huge.jpg";
    WritePcFile(pc, 0);
    ResizePcFile(pc, 0x100000000ull + 1234);
    SetCreationDate(pc, kPhoneDate);
    EXPECT_EQ(ReadPcFileStamp(pc.c_str()).size, 0x100000000ull + 1234);
    CFileDescription phoneFile = PhoneFile(L"C:\\Images\\A.JPG");
    EXPECT_TRUE(PcFileDiffersFromPhoneFile(pc.c_str(), phoneFile));
}
