// The shared pieces the benchmarks' verdicts rest on: the simulator's drive folders must be
// read from the right phone's status line, the scratch folder must go with everything in it,
// and one outlier must not move a median.
#include "bench/support/Median.h"
#include "bench/support/ScratchFolder.h"
#include "bench/support/SimulatedPhone.h"

#include "com/UniqueHandle.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

using tolv::com::unique_handle;

TEST(ScratchFolder, GoesWithNestedAndReadOnlyFiles)
{
    std::wstring path;
    {
        CScratchFolder scratch(L"PellaryBenchSupportTest");
        ASSERT_TRUE(scratch.Created());
        path = scratch.Path();
        ASSERT_TRUE(CreateFolderPath(scratch / L"phone\\354812013456789\\E\\BenchSource"));
        const std::wstring file = scratch / L"phone\\354812013456789\\E\\BenchSource\\a.bin";
        {
            unique_handle written(
                CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
            ASSERT_TRUE(written.valid());
            DWORD done = 0;
            ASSERT_TRUE(WriteFile(written.get(), "0123456789", 10, &done, nullptr));
        }
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
