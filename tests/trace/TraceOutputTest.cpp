// An output in place of the files: what tests read their traces through.
#include "tests/support/TraceCapture.h"
#include "tests/trace/TraceTestFixture.h"

namespace tolv::trace::testing {
namespace {

using TraceOutputTest = TraceTest;

// Two runs of the same calls differ only in the clock reading.
std::string WithoutTime(const std::string& line)
{
    static const std::regex time(R"(\d\d:\d\d:\d\d:\d{6})");
    return std::regex_replace(line, time, "T", std::regex_constants::format_first_only);
}

void WriteEveryKind(CTolvTrace& trace)
{
    const unsigned char bytes[] = {0x00, 0xa5};
    trace.Format(1, "format %d", 7);
    trace.WriteHex(1, bytes, sizeof(bytes));
    trace.WriteWide(1, L"wide");
    trace.WriteEx(1, L"wide ex");
    trace.WriteText(1, "text");
    trace.FormatAt(1, "at", "Unit.cpp", 3);
    trace.FormatResult(1, "RETURN(0x%08lX)", S_OK, "Unit.cpp", 4, true);
    trace.WriteBuffer(1, "buffer", 3);
    trace.Format(2, "above the threshold");
}

TEST_F(TraceOutputTest, EveryWriterSendsTheLineItsFileGets)
{
    TraceIntoFolder();
    {
        CTolvTrace trace("Filed", 1, true);
        WriteEveryKind(trace);
    }
    std::vector<std::string> filed;
    for (const std::string& line : LinesAfterBanner(ReadLines(TraceFile("Filed"))))
        if (!line.empty())  // the one after each wide line
            filed.push_back(WithoutTime(line));

    CTraceCapture capture;
    CTolvTrace trace("Captured", 1, true);
    WriteEveryKind(trace);
    std::vector<std::string> captured;
    for (const std::string& line : capture.Lines("Captured"))
        captured.push_back(WithoutTime(line));
    EXPECT_EQ(captured.size(), 8u);
    EXPECT_EQ(captured, filed);
}

TEST_F(TraceOutputTest, LinesReachTheCaptureWhateverTheSwitch)
{
    TraceIntoFolder();
    settings.SetDword("TraceInfoFlag", 0);
    CTolvTrace trace("Off", 1, true);
    {
        CTraceCapture capture;
        trace.Format(1, "captured");
        trace.Format(2, "above the threshold");
        EXPECT_EQ(capture.Texts("Off"), std::vector<std::string>{"captured"});
    }
    EXPECT_FALSE(trace.WillWrite(1));
    trace.Format(1, "switched off");
    EXPECT_FALSE(FileExists(TraceFile("Off")));
}

TEST_F(TraceOutputTest, FilesAreUntouchedWhileCapturedAndTakeTheLinesAfter)
{
    TraceIntoFolder();
    CTolvTrace trace("On", 1, true);
    {
        CTraceCapture outer;
        {
            CTraceCapture inner;
            trace.Format(1, "inner");
            EXPECT_TRUE(inner.Wrote("inner"));
        }
        trace.Format(1, "outer");
        EXPECT_EQ(outer.Texts(), std::vector<std::string>{"outer"});
        EXPECT_FALSE(FileExists(TraceFile("On")));
    }
    trace.Format(1, "filed");
    const std::vector<std::string> lines = LinesAfterBanner(ReadLines(TraceFile("On")));
    ASSERT_EQ(lines.size(), 1u);
    TraceLine parsed;
    ASSERT_TRUE(ParseTraceLine(lines[0], parsed)) << lines[0];
    EXPECT_EQ(parsed.text, "filed");
}

}  // namespace
}  // namespace tolv::trace::testing
