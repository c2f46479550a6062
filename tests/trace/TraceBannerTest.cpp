// The banner lines that a running system cannot be made to show.
#include "tests/trace/FileContents.h"
#include "tests/trace/TempFolder.h"
#include "trace/TraceBanner.h"

#include <gtest/gtest.h>
#include <cstring>

namespace tolv::trace::testing {
namespace {

std::string Describe(DWORD platform, DWORD major, DWORD minor, DWORD build, bool extended, WORD spMajor = 0,
                     WORD spMinor = 0)
{
    OSVERSIONINFOEXA version;
    std::memset(&version, 0, sizeof(version));
    version.dwPlatformId = platform;
    version.dwMajorVersion = major;
    version.dwMinorVersion = minor;
    version.dwBuildNumber = build;
    version.wServicePackMajor = spMajor;
    version.wServicePackMinor = spMinor;
    char text[256];
    FormatSystemDescription(version, extended, text, sizeof(text));
    return text;
}

TEST(TraceBannerTest, SystemLineNamesThePlatform)
{
    EXPECT_EQ(Describe(VER_PLATFORM_WIN32_NT, 5, 1, 2600, true, 2, 0),
              "Microsoft Windows NT\t - Version 5.1 (Build 2600)    - Service Pack 02.00 ***");
    EXPECT_EQ(Describe(VER_PLATFORM_WIN32_WINDOWS, 4, 0, 0x04000395, false),
              "Microsoft Windows 95\t - Version 4.0 (Build 917)   " + std::string(18, ' ') + "***");
    EXPECT_EQ(Describe(VER_PLATFORM_WIN32_WINDOWS, 3, 95, 1, false).substr(0, 21), "Microsoft Windows 95\t");
    EXPECT_EQ(Describe(VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2222, true).substr(0, 21), "Microsoft Windows 98\t");
    EXPECT_EQ(Describe(VER_PLATFORM_WIN32s, 3, 10, 1, false).substr(0, 18), "Microsoft Win32s\t ");
}

TEST(TraceBannerTest, SystemClockBannerLine)
{
    CTempFolder folder;
    const std::string path = folder / "generated.txt";
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    SYSTEMTIME time = {};
    time.wDay = 7;
    time.wMonth = 12;
    time.wYear = 2026;
    time.wHour = 4;
    time.wMinute = 3;
    time.wSecond = 2;
    time.wMilliseconds = 45;
    WriteGeneratedSystemTime(file, time, 156250 / 10.0);
    WriteGeneratedHighResolution(file, time, 1234, 1000000.0 / 3579545);
    std::fclose(file);
    EXPECT_EQ(ReadFileBytes(path),
              "\n************************ Generated: 07:12:2026 04:03:02:045 ******* ST  15625.00 us"
              "\n************************ Generated  : 07:12:2026 04:03:02:001234 ******* HR  0.28 us");
}

}  // namespace
}  // namespace tolv::trace::testing
