// The part the benchmark's verdicts rest on: a copy that is short or has a wrong byte must be
// told from a good one.
#include "PatternFile.h"

#include "bench/support/ScratchFolder.h"

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
