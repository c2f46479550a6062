// Moving a full trace file aside to ".tmp" and starting a new one.
#include "tests/trace/CurrentDirectoryGuard.h"
#include "tests/trace/TraceTestFixture.h"
#include "com/UniqueHandle.h"
#include "trace/TolvTrace.h"

#include <optional>
#include <stdexcept>

namespace tolv::trace::testing {
namespace {

class TraceRotationTest : public TraceTest {
protected:
    // A failed move is recorded in the current directory: one of the test's own, until the end
    // of the test. Returns the path of the record.
    std::string RecordFailuresInTheFolder()
    {
        const std::string current = folder / "current";
        if (!CreateDirectoryA(current.c_str(), nullptr))
            throw std::runtime_error("cannot create " + current);
        m_current.emplace(current);
        return current + "\\Special_Trace_File_Detecting_Errors_In_TolvTrace.txt";
    }

private:
    std::optional<CCurrentDirectoryGuard> m_current;
};

const std::string kPayload(60, 'p');
const std::string kFormatError = "An error has occured in CTolvTrace::Format\r\n";
// A limit of 1 moves the file aside once it holds this much.
constexpr std::int64_t kFullAtLimitOfOne = 2000;
// Enough lines of kPayload to take a file well past a limit of 1.
constexpr int kLinesPastTheLimit = 40;

// Opens path so that others may do only what share allows with it while the handle lives.
tolv::com::unique_handle Hold(const std::string& path, DWORD share, DWORD creation)
{
    return tolv::com::unique_handle(
        CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr));
}

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
    const std::string errorFile = RecordFailuresInTheFolder();
    // A folder in the way of the ".tmp" name keeps the copy from being made.
    ASSERT_TRUE(CreateDirectoryA(PreviousFile("Stuck").c_str(), nullptr));

    CTolvTrace trace("Stuck", 1, true);
    for (int i = 0; i < 60; ++i)
        trace.Format(1, "line %03d %s", i, kPayload.c_str());
    trace.WriteEx(1, L"wide line");

    const std::vector<std::string> lines = LinesAfterBanner(ReadLines(TraceFile("Stuck")));
    EXPECT_EQ(lines.size(), 62u) << "60 lines, the wide one and its empty line";
    const std::string errors = ReadFileBytes(errorFile);
    const std::string writeExError = "An error has occured in CTolvTrace::WriteEx\r\n";
    EXPECT_EQ(errors, kFormatError + writeExError) << "each writer records the failure once";
}

TEST_F(TraceRotationTest, LineEndsInsideTheTextCountAsTheDiskStoresThem)
{
    TraceIntoFolder(1);
    CTolvTrace trace("Broken", 1, true);
    constexpr size_t kLineEndsPerText = 40;
    const std::string lineEnds(kLineEndsPerText, '\n');

    std::vector<std::int64_t> sizesSeen;
    for (int i = 0; i < kLinesPastTheLimit && !FileExists(PreviousFile("Broken")); ++i) {
        sizesSeen.push_back(FileSize(TraceFile("Broken")));
        trace.Format(1, "line %03d%s", i, lineEnds.c_str());
    }
    ASSERT_TRUE(FileExists(PreviousFile("Broken")));
    ASSERT_GT(sizesSeen.size(), 2u);
    EXPECT_LT(sizesSeen[sizesSeen.size() - 2], kFullAtLimitOfOne)
        << "the file was not moved aside as soon as it was full";
    EXPECT_GE(sizesSeen.back(), kFullAtLimitOfOne);
}

TEST_F(TraceRotationTest, FailedMoveIsTriedAgainByTheNextLine)
{
    TraceIntoFolder(1);
    RecordFailuresInTheFolder();
    CTolvTrace trace("Retried", 1, true);
    tolv::com::unique_handle obstacle = Hold(PreviousFile("Retried"), 0, CREATE_NEW);
    ASSERT_TRUE(obstacle);
    for (int i = 0; i < kLinesPastTheLimit; ++i)
        trace.Format(1, "line %03d %s", i, kPayload.c_str());
    EXPECT_EQ(FileSize(PreviousFile("Retried")), 0);
    EXPECT_EQ(LinesAfterBanner(ReadLines(TraceFile("Retried"))).size(), static_cast<size_t>(kLinesPastTheLimit));

    obstacle.reset();
    trace.Format(1, "after the obstacle");
    EXPECT_EQ(LinesAfterBanner(ReadLines(PreviousFile("Retried"))).size(), static_cast<size_t>(kLinesPastTheLimit));
    EXPECT_EQ(FirstMessage(TraceFile("Retried")), "after the obstacle");
    EXPECT_EQ(LinesAfterBanner(ReadLines(TraceFile("Retried"))).size(), 1u);
}

TEST_F(TraceRotationTest, FileThatCannotBeDeletedIsMovedOnceItCanBe)
{
    TraceIntoFolder(1);
    RecordFailuresInTheFolder();
    CTolvTrace trace("Undeletable", 1, true);
    trace.Format(1, "line %03d %s", 0, kPayload.c_str());
    tolv::com::unique_handle reader = Hold(TraceFile("Undeletable"), FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    ASSERT_TRUE(reader);
    for (int i = 1; i < kLinesPastTheLimit; ++i)
        trace.Format(1, "line %03d %s", i, kPayload.c_str());
    EXPECT_EQ(LinesAfterBanner(ReadLines(TraceFile("Undeletable"))).size(), static_cast<size_t>(kLinesPastTheLimit));

    reader.reset();
    trace.Format(1, "after the reader");
    EXPECT_EQ(LinesAfterBanner(ReadLines(PreviousFile("Undeletable"))).size(), static_cast<size_t>(kLinesPastTheLimit));
    EXPECT_EQ(FirstMessage(TraceFile("Undeletable")), "after the reader");
}

TEST_F(TraceRotationTest, EachRunOfFailedMovesIsRecordedOnce)
{
    TraceIntoFolder(1);
    const std::string errorFile = RecordFailuresInTheFolder();
    CTolvTrace trace("Recorded", 1, true);

    for (int run = 1; run <= 2; ++run) {
        tolv::com::unique_handle obstacle = Hold(PreviousFile("Recorded"), 0, OPEN_ALWAYS);
        ASSERT_TRUE(obstacle);
        for (int i = 0; i < kLinesPastTheLimit; ++i)
            trace.Format(1, "run %d line %03d %s", run, i, kPayload.c_str());
        std::string expected;
        for (int recorded = 0; recorded < run; ++recorded)
            expected += kFormatError;
        EXPECT_EQ(ReadFileBytes(errorFile), expected) << "run " << run;
        obstacle.reset();
        trace.Format(1, "run %d moved", run);
        EXPECT_EQ(FirstMessage(TraceFile("Recorded")), "run " + std::to_string(run) + " moved");
    }
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
