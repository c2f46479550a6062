// The differs test behind eLeaveIfDifferent: the PC file's creation time (as UTC) against the
// phone file's date, and the sizes, compared exactly.
#include "TransferTestFiles.h"

#include "ModelFixture.h"

#include "Components/Kivlink/transfer/DiffersTest.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr DATE kOneSecond = 1.0 / 86400;

class DiffersTest : public ModelFixture {
protected:
    // A phone file with this date and size, looked up afresh.
    CFileDescription PhoneFile(const wchar_t* name, long size, DATE date)
    {
        const std::wstring path = std::wstring(L"C:\\Images\\") + name;
        world.AddFile(phone, path, size, FILE_ATTRIBUTE_ARCHIVE, date);
        CFileDescription file;
        EXPECT_EQ(device->GetFile(path.c_str(), file), S_OK);
        return file;
    }
    TestFolder folder;
};

DATE UtcNow()
{
    SYSTEMTIME now;
    GetSystemTime(&now);
    DATE date = 0;
    SystemTimeToVariantTime(&now, &date);
    return date;
}

}  // namespace

TEST_F(DiffersTest, PcDateIsTheCreationTimeAsUtc)
{
    const std::wstring pc = folder / L"new.jpg";
    WritePcFile(pc, 1234);
    SPcFileStamp stamp = ReadPcFileStamp(pc.c_str());
    EXPECT_LT(std::fabs(stamp.date - UtcNow()), 120 * kOneSecond);
    // Whole seconds, as the phone's dates.
    const double seconds = stamp.date * 86400;
    EXPECT_LT(std::fabs(seconds - std::round(seconds)), 0.001);
    EXPECT_EQ(stamp.size, 1234u);
    // Writing to the file later leaves its date alone.
    WritePcFile(pc, 10);
    EXPECT_EQ(ReadPcFileStamp(pc.c_str()).date, stamp.date);
}

TEST_F(DiffersTest, SameDateAndSizeIsTheSameFile)
{
    const std::wstring pc = folder / L"same.jpg";
    WritePcFile(pc, 1234);
    const DATE created = ReadPcFileStamp(pc.c_str()).date;
    CFileDescription phoneFile = PhoneFile(L"same.jpg", 1234, created);
    EXPECT_FALSE(PcFileDiffersFromPhoneFile(pc.c_str(), phoneFile));
}

TEST_F(DiffersTest, ASecondOrAByteMakesADifference)
{
    const std::wstring pc = folder / L"other.jpg";
    WritePcFile(pc, 1234);
    const DATE created = ReadPcFileStamp(pc.c_str()).date;
    CFileDescription later = PhoneFile(L"later.jpg", 1234, created + kOneSecond);
    EXPECT_TRUE(PcFileDiffersFromPhoneFile(pc.c_str(), later));
    CFileDescription longer = PhoneFile(L"longer.jpg", 1235, created);
    EXPECT_TRUE(PcFileDiffersFromPhoneFile(pc.c_str(), longer));
}

TEST(DiffersDates, TheSameSecondReckonedTwoWaysIsOneDate)
{
    // 06/07/2009 12:34:56 from a SYSTEMTIME, and as whole days plus a fraction of the day.
    SYSTEMTIME utc = {2009, 7, 1, 6, 12, 34, 56, 0};
    DATE converted = 0;
    ASSERT_TRUE(SystemTimeToVariantTime(&utc, &converted));
    const DATE reckoned = 40000 + static_cast<double>(12 * 3600 + 34 * 60 + 56) / 86400;
    EXPECT_TRUE(SameSecond(converted, reckoned));
    EXPECT_TRUE(SameSecond(converted, converted + 1e-9));
    EXPECT_FALSE(SameSecond(converted, converted + kOneSecond));
    EXPECT_FALSE(SameSecond(converted, converted - kOneSecond));
}

TEST_F(DiffersTest, AFileThatCannotBeOpenedCountsAsDateOneSizeOne)
{
    const std::wstring missing = folder / L"missing.jpg";
    SPcFileStamp stamp = ReadPcFileStamp(missing.c_str());
    EXPECT_EQ(stamp.date, 1.0);
    EXPECT_EQ(stamp.size, 1u);
    CFileDescription usual = PhoneFile(L"usual.jpg", 1234, 40000.5);
    EXPECT_TRUE(PcFileDiffersFromPhoneFile(missing.c_str(), usual));
    CFileDescription one = PhoneFile(L"one.jpg", 1, 1.0);
    EXPECT_FALSE(PcFileDiffersFromPhoneFile(missing.c_str(), one));
}

TEST_F(DiffersTest, APcFileOf4GiBMoreIsNotTheSmallPhoneFile)
{
    // Only the low half of its size matches the phone file's.
    const std::wstring pc = folder / L"huge.jpg";
    WritePcFile(pc, 0);
    ResizePcFile(pc, 0x100000000ull + 1234);
    SPcFileStamp stamp = ReadPcFileStamp(pc.c_str());
    EXPECT_EQ(stamp.size, 0x100000000ull + 1234);
    CFileDescription phoneFile = PhoneFile(L"huge.jpg", 1234, stamp.date);
    EXPECT_TRUE(PcFileDiffersFromPhoneFile(pc.c_str(), phoneFile));
}
