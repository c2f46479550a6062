// The banner and the message lines that Format writes.
#include "tests/trace/TraceTestFixture.h"
#include "trace/TolvTrace.h"

#include <regex>

namespace tolv::trace::testing {
namespace {

using TraceFormatTest = TraceTest;

int SecondsOfDay(int hour, int minute, int second)
{
    return (hour * 60 + minute) * 60 + second;
}

TEST_F(TraceFormatTest, BannerOpensTheFileInItsExactShape)
{
    TraceIntoFolder();
    CTolvTrace trace("Banner", 1, true);
    trace.Format(1, "> Entering %s()", "CTolvScheduler::InitInstance");

    const std::string bytes = ReadFileBytes(TraceFile("Banner"));
    ASSERT_EQ(bytes.substr(0, 2), "\r\n");
    EXPECT_EQ(bytes.find('\n'), 1u) << "line ends are CR LF";

    const std::vector<std::string> lines = ReadLines(TraceFile("Banner"));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "************************ Application: Vostrel Data Suite");
    EXPECT_EQ(lines[2], "************************ Component  : " + TraceFile("Banner") + " ");
    EXPECT_TRUE(std::regex_match(
        lines[3], std::regex(R"(\*{24} Generated  : \d\d:\d\d:\d{4} \d\d:\d\d:\d\d:\d{6} \*{7} HR  \d+\.\d\d us)")))
        << lines[3];
    EXPECT_TRUE(
        std::regex_match(lines[4], std::regex("\\*{24} Microsoft Windows NT\t - Version \\d+\\.\\d+ \\(Build \\d+\\)   "
                                              "( - Service Pack \\d\\d\\.\\d\\d | {18})\\*\\*\\*")))
        << lines[4];
    EXPECT_EQ(lines[5], std::string(103, '*'));
    EXPECT_EQ(lines[6], "");
    TraceLine parsed;
    ASSERT_TRUE(ParseTraceLine(lines[7], parsed)) << lines[7];
    EXPECT_EQ(parsed.threadId, GetCurrentThreadId());
    EXPECT_EQ(parsed.level, 1);
    EXPECT_EQ(parsed.text, "> Entering CTolvScheduler::InitInstance()");

    // The banner's date is today's.
    SYSTEMTIME today;
    GetLocalTime(&today);
    char date[16];
    std::snprintf(date, sizeof(date), "%2.2d:%2.2d:%4.4d", today.wDay, today.wMonth, today.wYear);
    EXPECT_EQ(lines[3].substr(38, 10), date);
}

// The line with its stamp replaced by a fixed word, so that two writers of it can be compared.
std::string WithoutStamp(const std::string& line)
{
    static const std::regex stamp(R"(^\{\[[0-9a-f]{4,8}\]\} \d\d:\d\d:\d\d:\d{6})");
    return std::regex_replace(line, stamp, "STAMP", std::regex_constants::format_first_only);
}

TEST_F(TraceFormatTest, TextReachesTheFileAsFprintfWritesIt)
{
    TraceIntoFolder();
    CTolvTrace trace("Exact", 1, true);
    FILE* reference = std::fopen((folder / "Reference.txt").c_str(), "wt");
    ASSERT_NE(reference, nullptr);
    const auto both = [&](const char* format, auto... arguments) {
        trace.Format(1, format, arguments...);
        std::fputs("STAMP 1 ", reference);
        std::fprintf(reference, format, arguments...);
        std::fputs("\n", reference);
    };
    both("%d %s %5.2f %c %#x %%|", -42, "text", 3.14159, 'z', 0xbeefu);
    both("two\nlines, %d line ends", 2);
    both("a nul %c inside", '\0');
    // Long texts, one of each length around 2 KB, and one far longer.
    constexpr size_t kShortest = 1950;
    constexpr size_t kLongest = 2100;
    constexpr size_t kFarLonger = 10000;
    for (size_t length = kShortest; length <= kLongest; ++length)
        both("%s|", std::string(length, 'L').c_str());
    both("%s|", std::string(kFarLonger, 'F').c_str());
    std::fclose(reference);

    std::vector<std::string> lines = LinesAfterBanner(ReadLines(TraceFile("Exact")));
    for (std::string& line : lines)
        line = WithoutStamp(line);
    EXPECT_EQ(lines, ReadLines(folder / "Reference.txt"));
}

TEST_F(TraceFormatTest, FirstLineTakesTheClockLaterLinesTheCounter)
{
    TraceIntoFolder();
    CTolvTrace trace("Stamps", 1, true);
    for (int i = 0; i < 20; ++i) {
        trace.Format(1, "line %d", i);
        Sleep(1);
    }
    SYSTEMTIME now;
    GetLocalTime(&now);

    const std::vector<std::string> lines = LinesAfterBanner(ReadLines(TraceFile("Stamps")));
    ASSERT_EQ(lines.size(), 20u);
    TraceLine first;
    ASSERT_TRUE(ParseTraceLine(lines[0], first)) << lines[0];
    EXPECT_EQ(first.microseconds % 1000, 0u) << lines[0];

    // Counter-based stamps must still tell the local time: in order and close to the clock.
    bool anyBelowMilliseconds = false;
    long previous = -1;
    for (const std::string& line : lines) {
        TraceLine parsed;
        ASSERT_TRUE(ParseTraceLine(line, parsed)) << line;
        const long stamp =
            SecondsOfDay(parsed.hour, parsed.minute, parsed.second) * 1000000L + static_cast<long>(parsed.microseconds);
        if (previous >= 0 && stamp >= previous - 1000000L) {  // a midnight wrap is not a fault
            EXPECT_GE(stamp, previous) << line;
        }
        previous = stamp;
        anyBelowMilliseconds = anyBelowMilliseconds || parsed.microseconds % 1000 != 0;
    }
    EXPECT_TRUE(anyBelowMilliseconds) << "later lines should carry counter microseconds";
    TraceLine last;
    ASSERT_TRUE(ParseTraceLine(lines.back(), last));
    const int drift =
        SecondsOfDay(now.wHour, now.wMinute, now.wSecond) - SecondsOfDay(last.hour, last.minute, last.second);
    EXPECT_TRUE((drift >= 0 && drift <= 2) || drift < -86000) << "clock " << drift << " s after the last line";
}

TEST_F(TraceFormatTest, LevelsUpToTheThresholdAreWritten)
{
    TraceIntoFolder();
    CTolvTrace trace("Levels", 3, true);
    trace.Format(1, "below");
    trace.Format(3, "equal");
    trace.Format(4, "above");
    trace.Format(-7, "negative");
    CTolvTrace negative("Negative", -1, true);
    negative.Format(0, "above a negative threshold");
    negative.Format(-2, "below a negative threshold");

    std::vector<std::string> texts;
    for (const std::string& line : LinesAfterBanner(ReadLines(TraceFile("Levels")))) {
        TraceLine parsed;
        ASSERT_TRUE(ParseTraceLine(line, parsed)) << line;
        texts.push_back(std::to_string(parsed.level) + " " + parsed.text);
    }
    const std::vector<std::string> expected = {"1 below", "3 equal", "-7 negative"};
    EXPECT_EQ(texts, expected);
    const std::vector<std::string> negativeLines = LinesAfterBanner(ReadLines(TraceFile("Negative")));
    ASSERT_EQ(negativeLines.size(), 1u);
    EXPECT_NE(negativeLines[0].find(" -2 below a negative threshold"), std::string::npos);
}

TEST_F(TraceFormatTest, OverwriteStartsEmptyOtherwiseTheFileIsContinued)
{
    TraceIntoFolder();
    FillFile(TraceFile("Fresh"), 500);
    FillFile(TraceFile("Continued"), 500);
    {
        CTolvTrace fresh("Fresh", 1, true);
        fresh.Format(1, "one");
        CTolvTrace continued("Continued", 1, false);
        continued.Format(1, "one");
    }
    {
        // A second life of the same trace: a new banner each time.
        CTolvTrace continued("Continued", 1, false);
        continued.Format(1, "two");
    }
    const std::vector<std::string> fresh = ReadLines(TraceFile("Fresh"));
    EXPECT_EQ(CountBanners(fresh), 1);
    EXPECT_EQ(fresh.size(), 8u);
    const std::string continued = ReadFileBytes(TraceFile("Continued"));
    std::string filler;
    for (int i = 0; i < 5; ++i)
        filler += std::string(99, 'f') + "\n";
    EXPECT_EQ(continued.substr(0, 500), filler);
    EXPECT_EQ(CountBanners(ReadLines(TraceFile("Continued"))), 2);
    EXPECT_NE(continued.find(" 1 one\r\n"), std::string::npos);
    EXPECT_NE(continued.find(" 1 two\r\n"), std::string::npos);
}

TEST_F(TraceFormatTest, FileThatCannotBeOpenedIsRetriedAndGetsNoBanner)
{
    TraceIntoFolder();
    // A folder of the trace file's name keeps the file from being opened.
    ASSERT_TRUE(CreateDirectoryA(TraceFile("Blocked").c_str(), nullptr));
    CTolvTrace trace("Blocked", 1, true);
    trace.Format(1, "lost");
    ASSERT_TRUE(RemoveDirectoryA(TraceFile("Blocked").c_str()));
    trace.Format(1, "kept %d", 1);
    trace.Format(1, "kept %d", 2);

    const std::vector<std::string> lines = ReadLines(TraceFile("Blocked"));
    EXPECT_EQ(CountBanners(lines), 0);
    ASSERT_EQ(lines.size(), 2u);
    TraceLine parsed;
    ASSERT_TRUE(ParseTraceLine(lines[0], parsed)) << lines[0];
    EXPECT_EQ(parsed.text, "kept 1");
}

TEST_F(TraceFormatTest, SetLevelReadsTheSwitchAgain)
{
    TraceIntoFolder();
    settings.SetDword("TraceInfoFlag", 0);
    CTolvTrace trace("Switched", 5, true);
    trace.Format(1, "off");
    EXPECT_FALSE(FileExists(TraceFile("Switched")));

    settings.SetDword("TraceInfoFlag", 1);
    trace.SetLevel(2);
    trace.Format(2, "on");
    trace.Format(3, "above the new threshold");
    settings.SetDword("TraceInfoFlag", 0);
    trace.SetLevel(5);
    trace.Format(1, "off again");

    const std::vector<std::string> lines = LinesAfterBanner(ReadLines(TraceFile("Switched")));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(" 2 on"), std::string::npos);
}

}  // namespace
}  // namespace tolv::trace::testing
