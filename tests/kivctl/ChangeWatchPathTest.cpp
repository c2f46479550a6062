#include "tools/kivctl/ChangeWatchPath.h"

#include <gtest/gtest.h>

TEST(KivctlChangeWatchPath, DrivePathsTakeTheFormKivlinkReportsChangesIn)
{
    EXPECT_EQ(ChangeWatchPath(L"C:\\Images"), L"\\Images\\");
    EXPECT_EQ(ChangeWatchPath(L"c:\\Images\\"), L"\\Images\\");
    EXPECT_EQ(ChangeWatchPath(L"C:\\"), L"\\");
    EXPECT_EQ(ChangeWatchPath(L"C:"), L"\\");
    EXPECT_EQ(ChangeWatchPath(L"E:\\Sounds"), L"MultiMediaCard (E:)\\Sounds\\");
    EXPECT_EQ(ChangeWatchPath(L"e:"), L"MultiMediaCard (E:)\\");
}

TEST(KivctlChangeWatchPath, VolumePathsOnlyGainTheirFinalBackslash)
{
    EXPECT_EQ(ChangeWatchPath(L"\\Images"), L"\\Images\\");
    EXPECT_EQ(ChangeWatchPath(L"\\Images\\"), L"\\Images\\");
    EXPECT_EQ(ChangeWatchPath(L"MultiMediaCard (E:)\\Sounds"), L"MultiMediaCard (E:)\\Sounds\\");
    // A drive the volume does not know is left to Kivlink as typed.
    EXPECT_EQ(ChangeWatchPath(L"D:\\Data"), L"D:\\Data\\");
}
