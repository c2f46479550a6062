// Entry and exit lines of the scope tracers.
#include "tests/support/TraceCapture.h"
#include "tests/trace/TraceLines.h"
#include "trace/TraceExit.h"
#include "trace/TraceScope.h"

#include <gtest/gtest.h>

namespace tolv::trace::testing {
namespace {

class TraceScopeTest : public ::testing::Test {
protected:
    CTraceCapture capture;
};

// "level text" of each line.
std::vector<std::string> Texts(const CTraceCapture& capture)
{
    std::vector<std::string> texts;
    for (const std::string& line : capture.Lines()) {
        TraceLine parsed;
        if (!ParseTraceLine(line, parsed))
            texts.push_back("<malformed> " + line);
        else
            texts.push_back(std::to_string(parsed.level) + " " + parsed.text);
    }
    return texts;
}

TEST_F(TraceScopeTest, ScopeWritesEnterAndExitAtItsLevel)
{
    CTolvTrace trace("Scope", 2, true);
    {
        CTraceScope outer(&trace, 2, "CKivVolume::Copy", "%s,%d", "C:\\a.txt", 4);
        CTraceScope inner(&trace, 1, "CKivVolume::Check");
        CTraceScope hidden(&trace, 3, "CKivVolume::Hidden", "%d", 1);
        CTraceScope silent(nullptr, 1, "NoTrace", "%d", 1);
    }
    {
        const std::string longArgument(600, 'a');
        const std::string longName(300, 'n');
        CTraceScope truncated(&trace, 1, longName.c_str(), "%s", longArgument.c_str());
    }

    const std::vector<std::string> texts = Texts(capture);
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[0], "2 Enter CKivVolume::Copy(C:\\a.txt,4)");
    EXPECT_EQ(texts[1], "1 Enter CKivVolume::Check()");
    EXPECT_EQ(texts[2], "1 Exit CKivVolume::Check");
    EXPECT_EQ(texts[3], "2 Exit CKivVolume::Copy");
    // Arguments are held to 519 characters, the exit line to 259.
    EXPECT_EQ(texts[4], "1 Enter " + std::string(259, 'n') + "(" + std::string(519, 'a') + ")");
    EXPECT_EQ(texts[5], "1 Exit " + std::string(254, 'n'));
}

TEST_F(TraceScopeTest, ExitTracerWritesOnce)
{
    CTolvTrace trace("Exit", 1, true);
    CTraceExit exit(&trace, 1, "CPhotoJob::Run");
    exit.Finish(" hr=0x%08lX", static_cast<long>(E_FAIL));
    exit.Finish(" hr=0x%08lX", 0L);
    CTraceExit hidden(&trace, 2, "Hidden");
    hidden.Finish(" %d", 1);
    CTraceExit silent(nullptr, 1, "NoTrace");
    silent.Finish(" %d", 1);

    const std::vector<std::string> texts = Texts(capture);
    const std::vector<std::string> expected = {"1 Exit  CPhotoJob::Run() with hr=0x80004005."};
    EXPECT_EQ(texts, expected);
}

}  // namespace
}  // namespace tolv::trace::testing
