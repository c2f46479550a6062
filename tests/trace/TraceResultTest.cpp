// The failure path: a failure traced once with its file's unit and line, an expected one not
// at all, each to the calling thread's trace or else to the process's.
#include "trace/TraceResult.h"

#include "tests/support/TraceCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TOLV_TRACE_UNIT("TraceResultTest");

namespace {

int g_tracedLine = 0;

HRESULT Fails()
{
    return E_ACCESSDENIED;
}

HRESULT ReturnsThroughTheMacro()
{
    g_tracedLine = __LINE__ + 1;
    TOLV_RETURN_IF_FAILED(Fails());
    return S_OK;
}

HRESULT ReturnsAnExpectedFailure()
{
    TOLV_RETURN_IF_FAILED_EXPECTED(Fails());
    return S_OK;
}

HRESULT ReturnsALastErrorOfNone()
{
    SetLastError(ERROR_SUCCESS);
    g_tracedLine = __LINE__ + 1;
    TOLV_RETURN_LAST_ERROR_IF(true);
    return S_OK;
}

std::vector<std::string> Errors(const CTraceCapture& capture, const char* trace)
{
    std::vector<std::string> errors;
    for (const std::string& text : capture.Texts(trace)) {
        if (text.rfind("ERROR", 0) == 0 || text.rfind("WARNING", 0) == 0)
            errors.push_back(text);
    }
    return errors;
}

std::string At(int line)
{
    return " [TraceResultTest " + std::to_string(line) + "]";
}

}  // namespace

TEST(TraceResult, AFailureGoesOnceToTheThreadsTraceElseToTheProcesss)
{
    CTraceCapture capture;
    CTolvTrace processTrace("TraceResultProcess", 3, true);
    CTolvTrace threadTrace("TraceResultThread", 3, true);
    tolv::trace::SetProcessTrace(&processTrace);
    int throughMacro = 0;
    {
        const tolv::trace::thread_trace_scope scope(&threadTrace);
        EXPECT_EQ(E_ACCESSDENIED, ReturnsThroughTheMacro());
        throughMacro = g_tracedLine;
        EXPECT_EQ(E_ACCESSDENIED, ReturnsAnExpectedFailure());
    }
    // A failing call that left no error code behind is still a failure.
    EXPECT_EQ(E_FAIL, ReturnsALastErrorOfNone());
    tolv::trace::SetProcessTrace(nullptr);

    EXPECT_EQ(Errors(capture, "TraceResultThread"), std::vector<std::string>{"ERROR 0x80070005" + At(throughMacro)});
    EXPECT_EQ(Errors(capture, "TraceResultProcess"), std::vector<std::string>{"ERROR 0x80004005" + At(g_tracedLine)});
}

TEST(TraceResult, NamedSitesKeepTheirUnitLineAndLevel)
{
    CTraceCapture capture;
    CTolvTrace trace("TraceResultSites", 2, true);
    tolv::trace::Error(tolv::trace::site{"CModule", 837}, &trace);
    tolv::trace::Warning(tolv::trace::site{"CModule", 881}, &trace);
    tolv::trace::Failure(E_FAIL, tolv::trace::site{"CKivlinkNotification", 394, 1, true}, &trace);
    // Above the trace's threshold: not written.
    tolv::trace::Failure(E_UNEXPECTED, tolv::trace::site{"CKivMessage", 165, 8}, &trace);
    EXPECT_EQ(Errors(capture, "TraceResultSites"),
              (std::vector<std::string>{"ERROR [CModule 837]", "WARNING [CModule 881]",
                                        "ERROR  0x80004005 [CKivlinkNotification 394]"}));
}
