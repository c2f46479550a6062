// Moving a full trace file aside to ".tmp" and starting a new one.
#include "tests/trace/CurrentDirectoryGuard.h"
#include "tests/trace/TraceTestFixture.h"
#include "trace/TolvTrace.h"

namespace tolv::trace::testing {
namespace {

using TraceRotationTest = TraceTest;

const std::string kPayload(60, 'p');

std::string FirstMessage(const std::string& path)
{
    const std::vector<std::string> lines = LinesAfterBanner(ReadLines(path));
    TraceLine parsed;
    return !lines.empty() && ParseTraceLine(lines[0], parsed) ? parsed.text : std::string("<none>");
}

TEST_F(TraceRotationTest, LimitOfOneMovesTheFileAsideOnceItReaches2000Bytes)
{
    TraceIntoFolder(1);
    CTolvTrace trace("Rotating", 1, true);

    // Size of the file as each call found it, up to the call that moved it aside.
    std::vector<std::int64_t> sizesSeen;
    int rotatingLine = -1;
    for (int i = 0; i < 200 && rotatingLine < 0; ++i) {
        sizesSeen.push_back(FileSize(TraceFile("Rotating")));
        trace.Format(1, "line %03d %s", i, kPayload.c_str());
        if (FileExists(PreviousFile("Rotating")))
            rotatingLine = i;
    }
    ASSERT_GT(rotatingLine, 1);
    for (int i = 1; i < rotatingLine; ++i)
        EXPECT_LT(sizesSeen[static_cast<size_t>(i)], 2000) << "line " << i;
    EXPECT_GE(sizesSeen.back(), 2000);
    EXPECT_EQ(FileSize(PreviousFile("Rotating")), sizesSeen.back()) << "the previous file is kept whole";

    // The old lines went with the old file; the new one starts with a banner and the line.
    const std::vector<std::string> previous = LinesAfterBanner(ReadLines(PreviousFile("Rotating")));
    ASSERT_EQ(previous.size(), static_cast<size_t>(rotatingLine));
    EXPECT_EQ(FirstMessage(PreviousFile("Rotating")), "line 000 " + kPayload);
    const std::vector<std::string> current = ReadLines(TraceFile("Rotating"));
    EXPECT_EQ(CountBanners(current), 1);
    ASSERT_EQ(LinesAfterBanner(current).size(), 1u);
    char expected[16];
    std::snprintf(expected, sizeof(expected), "line %03d ", rotatingLine);
    EXPECT_EQ(FirstMessage(TraceFile("Rotating")), expected + kPayload);

    // A second rotation replaces the first ".tmp".
    int line = rotatingLine + 1;
    while (FirstMessage(PreviousFile("Rotating")) == "line 000 " + kPayload && line < 400)
        trace.Format(1, "line %03d %s", line++, kPayload.c_str());
    EXPECT_EQ(FirstMessage(PreviousFile("Rotating")), expected + kPayload);
    const std::vector<std::string> files = {"Rotating.tmp", "Rotating.txt"};
    EXPECT_EQ(FolderEntries(folder.Path()), files);
}

TEST_F(TraceRotationTest, FailedRotationIsRecordedAndNoLineIsLost)
{
    TraceIntoFolder(1);
    ASSERT_TRUE(CreateDirectoryA((folder / "current").c_str(), nullptr));
    CCurrentDirectoryGuard current(folder / "current");
    // A folder in the way of the ".tmp" name keeps the copy from being made.
    ASSERT_TRUE(CreateDirectoryA(PreviousFile("Stuck").c_str(), nullptr));

    CTolvTrace trace("Stuck", 1, true);
    for (int i = 0; i < 60; ++i)
        trace.Format(1, "line %03d %s", i, kPayload.c_str());
    trace.WriteEx(1, L"wide line");

    const std::vector<std::string> lines = LinesAfterBanner(ReadLines(TraceFile("Stuck")));
    EXPECT_EQ(lines.size(), 62u) << "60 lines, the wide one and its empty line";
    const std::string errors = ReadFileBytes(folder / "current\\Special_Trace_File_Detecting_Errors_In_TolvTrace.txt");
    const std::string formatError = "An error has occured in CTolvTrace::Format\r\n";
    const std::string writeExError = "An error has occured in CTolvTrace::WriteEx\r\n";
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.find(formatError), 0u);
    EXPECT_EQ(errors.size() - errors.rfind(writeExError), writeExError.size());
}

TEST_F(TraceRotationTest, WriteExHonoursTheLimitWriteWideDoesNot)
{
    TraceIntoFolder(1);
    FillFile(TraceFile("Wide"), 2500);
    FillFile(TraceFile("WideEx"), 2500);
    CTolvTrace wide("Wide", 1, false);
    CTolvTrace wideEx("WideEx", 1, false);
    wide.WriteWide(1, L"wide");
    wideEx.WriteEx(1, L"wide");

    EXPECT_FALSE(FileExists(PreviousFile("Wide")));
    ASSERT_TRUE(FileExists(PreviousFile("WideEx")));
    EXPECT_EQ(CountBanners(ReadLines(TraceFile("WideEx"))), 1);
    EXPECT_EQ(LinesAfterBanner(ReadLines(TraceFile("WideEx"))).size(), 2u);
}

}  // namespace
}  // namespace tolv::trace::testing
