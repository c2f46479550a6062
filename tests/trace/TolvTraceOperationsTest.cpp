// The trace's further writing operations.
#include "tests/trace/TraceTestFixture.h"
#include "trace/TolvTrace.h"

namespace tolv::trace::testing {
namespace {

using TraceOperationsTest = TraceTest;

// The stamp of a line: "{[tid]} hh:mm:ss:micros".
const char* kStamp = R"(\{\[[0-9a-f]{4,8}\]\} \d\d:\d\d:\d\d:\d{6})";

std::string Expect(const std::string& rest)
{
    return std::string("^") + kStamp + rest + "$";
}

TEST_F(TraceOperationsTest, RawWritersUseTheirOwnLineShapes)
{
    TraceIntoFolder();
    CTolvTrace trace("Raw", 2, true);
    const unsigned char bytes[] = {0x00, 0x0f, 0xa5, 0xff};
    trace.WriteHex(2, bytes, sizeof(bytes));
    trace.WriteHex(3, bytes, sizeof(bytes));
    trace.WriteText(1, "plain text");
    trace.WriteWide(2, L"wide text");
    trace.WriteText(3, "above the threshold");

    const std::vector<std::string> lines = LinesAfterBanner(ReadLines(TraceFile("Raw")));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_TRUE(std::regex_match(lines[0], std::regex(Expect(R"( 2  00 0f a5 ff)")))) << lines[0];
    EXPECT_TRUE(std::regex_match(lines[1], std::regex(Expect(" plain text")))) << lines[1];
    EXPECT_TRUE(std::regex_match(lines[2], std::regex(Expect(" wide text")))) << lines[2];
    EXPECT_EQ(lines[3], "") << "a wide line is followed by an empty one";
}

TEST_F(TraceOperationsTest, FormatAtAndFormatResultNameTheSourceLine)
{
    TraceIntoFolder();
    CTolvTrace trace("Located", 1, true);
    trace.FormatAt(1, "ERROR 100%% sure", "Unit.cpp", 42);
    trace.FormatResult(1, "<<<Copy RETURN(hr=0x%08lX)", S_OK, "Volume.cpp", 7, true);
    trace.FormatResult(1, "<<<Copy RETURN(hr=0x%08lX)", E_NOTIMPL, "Volume.cpp", 8, true);
    trace.FormatResult(1, "<<<Copy RETURN(hr=0x%08lX)", E_FAIL, "Volume.cpp", 9, true);
    trace.FormatResult(1, "<<<Copy RETURN(hr=0x%08lX)", S_OK, "Volume.cpp", 10, false);
    trace.FormatResult(1, "<<<Copy(f(x)) RETURN((0x%08lX))", S_OK, "Volume.cpp", 11, true);
    trace.FormatAt(1, std::string(1200, 'z').c_str(), "Long.cpp", 12);

    std::vector<std::string> texts;
    for (const std::string& line : LinesAfterBanner(ReadLines(TraceFile("Located")))) {
        TraceLine parsed;
        ASSERT_TRUE(ParseTraceLine(line, parsed)) << line;
        texts.push_back(parsed.text);
    }
    ASSERT_EQ(texts.size(), 7u);
    EXPECT_EQ(texts[0], "ERROR 100% sure - Unit.cpp(42)");
    EXPECT_EQ(texts[1], "<<<Copy RETURN(hr=0x00000000 - OK) - Volume.cpp(7)");
    EXPECT_EQ(texts[2], "<<<Copy RETURN(hr=0x80004001 - E_NOTIMPL) - Volume.cpp(8)");
    EXPECT_EQ(texts[3], "<<<Copy RETURN(hr=0x80004005) - Volume.cpp(9)");
    EXPECT_EQ(texts[4], "<<<Copy RETURN(hr=0x00000000) - Volume.cpp(10)");
    EXPECT_EQ(texts[5], "<<<Copy(f(x)) RETURN((0x00000000) - OK) - Volume.cpp(11)");
    // The format is cut to its buffer, the source line always survives.
    EXPECT_EQ(texts[6], std::string(1000 - 1 - 9, 'z') + " - Long.cpp(12)");
}

TEST_F(TraceOperationsTest, WriteBufferWritesExactlyTheGivenCharacters)
{
    TraceIntoFolder();
    CTolvTrace trace("Buffer", 1, true);
    const char text[] = "abc%sdef%n";
    trace.WriteBuffer(1, text, 8);
    trace.WriteBuffer(1, nullptr, 5);

    const std::vector<std::string> lines = LinesAfterBanner(ReadLines(TraceFile("Buffer")));
    ASSERT_EQ(lines.size(), 2u);
    TraceLine parsed;
    ASSERT_TRUE(ParseTraceLine(lines[0], parsed)) << lines[0];
    EXPECT_EQ(parsed.text, "abc%sdef");
    ASSERT_TRUE(ParseTraceLine(lines[1], parsed)) << lines[1];
    EXPECT_EQ(parsed.text, "");
}

}  // namespace
}  // namespace tolv::trace::testing
