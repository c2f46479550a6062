// The parts the benchmark's verdicts rest on: a copy that is short or has a wrong byte must
// be told from a good one, the simulator's drive folders must be read from the right phone's
// status line, and the scratch folder must go with everything in it.
#include "Median.h"
#include "PatternFile.h"
#include "ScratchFolder.h"
#include "SimulatedPhone.h"

#include "com/UniqueHandle.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

using tolv::com::unique_handle;

namespace {

void FlipByte(const std::wstring& path, LONG offset)
{
    unique_handle file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file.valid());
    unsigned char byte = 0;
    DWORD done = 0;
    SetFilePointer(file.get(), offset, nullptr, FILE_BEGIN);
    ASSERT_TRUE(ReadFile(file.get(), &byte, 1, &done, nullptr) && done == 1);
    byte ^= 0x01;
    SetFilePointer(file.get(), offset, nullptr, FILE_BEGIN);
    ASSERT_TRUE(WriteFile(file.get(), &byte, 1, &done, nullptr) && done == 1);
}

void Truncate(const std::wstring& path, LONG size)
{
    unique_handle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file.valid());
    SetFilePointer(file.get(), size, nullptr, FILE_BEGIN);
    ASSERT_TRUE(SetEndOfFile(file.get()));
}

class PatternFiles : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(scratch.Created()); }
    CScratchFolder scratch{L"PellaryBenchPartsTest"};
};

}  // namespace

TEST_F(PatternFiles, SameSeedAndSizeGiveEqualFilesOfExactlyThatSize)
{
    // Not a multiple of the generator's 8 bytes nor of the 1 MiB write chunk.
    const ULONGLONG size = (1 << 20) + 3;
    ASSERT_EQ(WritePatternFile(scratch / L"a.bin", size, 7), S_OK);
    ASSERT_EQ(WritePatternFile(scratch / L"b.bin", size, 7), S_OK);
    WIN32_FILE_ATTRIBUTE_DATA facts{};
    ASSERT_TRUE(GetFileAttributesExW((scratch / L"a.bin").c_str(), GetFileExInfoStandard, &facts));
    EXPECT_EQ(facts.nFileSizeLow, size);
    EXPECT_EQ(ContentDifference(scratch / L"a.bin", scratch / L"b.bin"), "");
}

TEST_F(PatternFiles, CopiesThatAreWrongAreToldApart)
{
    const ULONGLONG size = 3 << 20;
    ASSERT_EQ(WritePatternFile(scratch / L"source.bin", size, 1), S_OK);

    ASSERT_EQ(WritePatternFile(scratch / L"other-seed.bin", size, 2), S_OK);
    EXPECT_EQ(ContentDifference(scratch / L"source.bin", scratch / L"other-seed.bin"), "bytes differ from offset 0");

    // One bit in the last chunk: a comparison that stops after the first chunk misses it.
    ASSERT_EQ(WritePatternFile(scratch / L"flipped.bin", size, 1), S_OK);
    FlipByte(scratch / L"flipped.bin", (2 << 20) + 12345);
    EXPECT_EQ(ContentDifference(scratch / L"source.bin", scratch / L"flipped.bin"),
              "bytes differ from offset " + std::to_string((2 << 20) + 12345));

    ASSERT_EQ(WritePatternFile(scratch / L"short.bin", size, 1), S_OK);
    Truncate(scratch / L"short.bin", 1 << 20);
    EXPECT_EQ(ContentDifference(scratch / L"source.bin", scratch / L"short.bin"),
              std::to_string(1 << 20) + " bytes instead of " + std::to_string(size));

    EXPECT_NE(ContentDifference(scratch / L"source.bin", scratch / L"missing.bin"), "");
}

TEST(ScratchFolder, GoesWithNestedAndReadOnlyFiles)
{
    std::wstring path;
    {
        CScratchFolder scratch(L"PellaryBenchPartsTest");
        ASSERT_TRUE(scratch.Created());
        path = scratch.Path();
        ASSERT_TRUE(CreateFolderPath(scratch / L"phone\\354812013456789\\E\\BenchSource"));
        const std::wstring file = scratch / L"phone\\354812013456789\\E\\BenchSource\\a.bin";
        ASSERT_EQ(WritePatternFile(file, 10, 1), S_OK);
        ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    }
    EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(PhoneStatus, DriveFoldersComeFromTheNamedPhonesLine)
{
    const std::string status =
        "3548120134567890 model=\"Tamlo\" manufacturer=\"Unknown\" identifier=\"COM5\" C:=\"C:\\x\\C\" "
        "E:=\"C:\\x\\E\"\r\n"
        "354812013456789 model=\"Tamlo\" manufacturer=\"Unknown\" identifier=\"COM4\" "
        "C:=\"C:\\root\\354812013456789\\C\" E:=\"C:\\root\\354812013456789\\E\"\r\n";
    EXPECT_EQ(DriveFolderInStatus(status, L"354812013456789", L'E'), L"C:\\root\\354812013456789\\E");
    EXPECT_EQ(DriveFolderInStatus(status, L"354812013456789", L'C'), L"C:\\root\\354812013456789\\C");
    EXPECT_EQ(DriveFolderInStatus(status, L"111", L'E'), L"");

    const std::string noCard = "354812013456789 model=\"Tamlo\" manufacturer=\"Unknown\" identifier=\"COM4\" "
                               "C:=\"C:\\root\\354812013456789\\C\"\n";
    EXPECT_EQ(DriveFolderInStatus(noCard, L"354812013456789", L'E'), L"");
}

TEST(MedianOfSamples, OneOutlierDoesNotMoveIt)
{
    EXPECT_EQ(Median({}), 0);
    EXPECT_EQ(Median({3, 1, 1000}), 3);
    EXPECT_EQ(Median({4, 1, 2, 1000}), 3);
}
