// Where a trace writes and whether it writes at all, from the machine-wide settings.
#include "tests/trace/CurrentDirectoryGuard.h"
#include "tests/trace/TraceTestFixture.h"
#include "trace/TolvTrace.h"

namespace tolv::trace::testing {
namespace {

using TraceSettingsTest = TraceTest;

TEST_F(TraceSettingsTest, MissingKeyTracesIntoCurrentDirectoryWithLimitOf1000)
{
    settings.DeleteKey();
    CCurrentDirectoryGuard current(folder.Path());

    // 1000 units of 1000 bytes: a file of 1,000,000 bytes plus a banner stays, one of
    // 1,001,000 bytes is moved aside by the next line.
    FillFile(TraceFile("Below"), 1000000);
    FillFile(TraceFile("Above"), 1001000);
    CTolvTrace below("Below", 9, false);
    CTolvTrace above("Above", 9, false);
    below.Format(9, "line at the threshold of %d", 9);
    above.Format(9, "line at the threshold of %d", 9);

    EXPECT_FALSE(FileExists(PreviousFile("Below")));
    EXPECT_GT(FileSize(TraceFile("Below")), 1000000);
    ASSERT_TRUE(FileExists(PreviousFile("Above")));
    EXPECT_GT(FileSize(PreviousFile("Above")), 1001000);
    const std::vector<std::string> lines = LinesAfterBanner(ReadLines(TraceFile("Above")));
    ASSERT_EQ(lines.size(), 1u);
    TraceLine parsed;
    ASSERT_TRUE(ParseTraceLine(lines[0], parsed)) << lines[0];
    EXPECT_EQ(parsed.text, "line at the threshold of 9");
}

TEST_F(TraceSettingsTest, KeyWithoutSwitchOrWithSwitchOffCreatesNoFile)
{
    CCurrentDirectoryGuard current(folder.Path());
    settings.ClearTraceValues();
    {
        CTolvTrace trace("NoSwitch", 1, true);
        trace.Format(1, "never written");
        trace.WriteText(0, "never written");
    }
    settings.SetDword("TraceInfoFlag", 0);
    settings.SetString("TraceInfoPath", folder.Path() + "\\");
    {
        CTolvTrace trace("SwitchOff", 1, true);
        trace.Format(1, "never written");
        trace.WriteWide(1, L"never written");
    }
    EXPECT_TRUE(FolderEntries(folder.Path()).empty());
}

TEST_F(TraceSettingsTest, MissingSizeLimitMeansNoLimit)
{
    settings.ClearTraceValues();
    settings.SetDword("TraceInfoFlag", 1);
    settings.SetString("TraceInfoPath", folder.Path() + "\\");
    FillFile(TraceFile("Unlimited"), 3000000);

    CTolvTrace trace("Unlimited", 1, false);
    trace.Format(1, "first");
    trace.Format(1, "second");

    EXPECT_FALSE(FileExists(PreviousFile("Unlimited")));
    EXPECT_GT(FileSize(TraceFile("Unlimited")), 3000000);
}

TEST_F(TraceSettingsTest, TraceInfoPathIsAFileNamePrefix)
{
    settings.SetDword("TraceInfoFlag", 1);
    settings.SetString("TraceInfoPath", folder / "Tolv_");
    CTolvTrace prefixed("Scheduler", 1, true);
    prefixed.Format(1, "prefixed");

    settings.SetString("TraceInfoPath", folder.Path() + "\\");
    CTolvTrace unnamed(nullptr, 1, true);
    unnamed.Format(1, "unnamed");

    EXPECT_TRUE(FileExists(folder / "Tolv_Scheduler.txt"));
    EXPECT_TRUE(FileExists(folder / ".txt"));
    EXPECT_EQ(FolderEntries(folder.Path()).size(), 2u);
}

TEST_F(TraceSettingsTest, MissingFolderIsCreatedWithAllItsParents)
{
    settings.SetDword("TraceInfoFlag", 1);
    settings.SetString("TraceInfoPath", folder / "one\\two\\three\\four\\");
    ASSERT_FALSE(FolderExists(folder / "one"));

    CTolvTrace trace("Deep", 1, true);
    EXPECT_TRUE(FolderExists(folder / "one\\two\\three\\four"));
    trace.Format(1, "deep");
    EXPECT_TRUE(FileExists(folder / "one\\two\\three\\four\\Deep.txt"));
}

TEST_F(TraceSettingsTest, CurrentDirectoryFallbackEndsInASeparator)
{
    CreateDirectoryA((folder / "current").c_str(), nullptr);
    CCurrentDirectoryGuard current(folder / "current");
    settings.SetDword("TraceInfoFlag", 1);

    // No path, an empty path, and a path whose folder cannot be made because a file is in
    // the way: each gives a file inside the current directory, never one beside it.
    settings.DeleteValue("TraceInfoPath");
    CTolvTrace missing("MissingPath", 1, true);
    missing.Format(1, "x");

    settings.SetString("TraceInfoPath", "");
    CTolvTrace empty("EmptyPath", 1, true);
    empty.Format(1, "x");

    FillFile(folder / "blocker", 10);
    settings.SetString("TraceInfoPath", folder / "blocker\\sub\\Tolv_");
    CTolvTrace blocked("BlockedPath", 1, true);
    blocked.Format(1, "x");

    const std::vector<std::string> expected = {"BlockedPath.txt", "EmptyPath.txt", "MissingPath.txt"};
    EXPECT_EQ(FolderEntries(folder / "current"), expected);
    const std::vector<std::string> beside = {"blocker", "current"};
    EXPECT_EQ(FolderEntries(folder.Path()), beside);
    EXPECT_EQ(missing.Path(), folder / "current\\MissingPath.txt");
}

TEST_F(TraceSettingsTest, TraceInfoPathOf512BytesOrMoreIsIgnored)
{
    CreateDirectoryA((folder / "current").c_str(), nullptr);
    CCurrentDirectoryGuard current(folder / "current");
    settings.SetDword("TraceInfoFlag", 1);

    // 510 characters and the terminator: 511 bytes, still taken.
    const std::string base = folder.Path() + "\\";
    const std::string fits = base + std::string(510 - base.size(), 'p');
    settings.SetString("TraceInfoPath", fits);
    CTolvTrace taken("Name", 1, true);
    EXPECT_EQ(taken.Path(), fits + "Name.txt");

    const std::string tooLong = base + std::string(511 - base.size(), 'p');
    settings.SetString("TraceInfoPath", tooLong);
    CTolvTrace ignored("Name", 1, true);
    EXPECT_EQ(ignored.Path(), folder / "current\\Name.txt");

    settings.SetString("TraceInfoPath", base + std::string(600, 'q') + "\\");
    CTolvTrace longer("Longer", 1, true);
    longer.Format(1, "written to the current directory");
    EXPECT_TRUE(FileExists(folder / "current\\Longer.txt"));
}

}  // namespace
}  // namespace tolv::trace::testing
