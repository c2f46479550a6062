// The trace lines of the failure texts and of the language read.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Components/Kivlink/errors/KivErrorText.h"
#include "Components/Kivlink/errors/KivLanguage.h"
#include "KivlinkLib.h"
#include "com/ComInit.h"
#include "tests/kivlink_errors/FakeEnvironmentServer.h"
#include "tests/support/TraceCapture.h"

namespace {

constexpr char kTraceName[] = "KivErrorsTraceTest";

class KivErrorTrace : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(com.succeeded()); }

    // The texts of the message lines that end with one of `wanted`, in trace order.
    std::vector<std::string> Written(const std::vector<std::string>& wanted) const
    {
        std::vector<std::string> found;
        for (const std::string& message : capture.Texts(kTraceName))
            for (const std::string& text : wanted)
                if (CTraceCapture::EndsWithWords(message, text))
                    found.push_back(text);
        return found;
    }

    tolv::com::com_init com{COINIT_MULTITHREADED};
    CTraceCapture capture;
    std::unique_ptr<CTolvTrace> trace = std::make_unique<CTolvTrace>(kTraceName, 3, true);
};

const std::string kCreating = "GetLanguage: CreateInstance(__uuidof(EnvironmentServer)";
const std::string kCreationFailed = "CreateInstance: EnvironmentServer failed";
const std::string kCallFailed = "GetLanguage failed";
const std::string kLeaving = "EnvironmentServer leaves scope and lifetime";
const std::vector<std::string> kLanguageLines = {kCreating, kCreationFailed, kCallFailed, kLeaving};

}  // namespace

TEST_F(KivErrorTrace, EveryDescriptionIsTracedWithItsCode)
{
    const HMODULE self = GetModuleHandleW(nullptr);
    KivErrorText(KIV_E_NOCONNECTION, 1031, self, trace.get());
    KivErrorText(KIV_E_TIMEOUT, 1033, self, trace.get());
    KivErrorText(KIV_E_NOCONNECTION, 1041, self, trace.get());
    KivErrorText(S_OK, 1033, self, trace.get());
    const std::vector<std::string> expected = {"Error desciption for 0x8004B001: Telefon nicht verbunden",
                                               "Error desciption for 0x8004B016: Unknown error # x8004b016",
                                               "Error desciption for 0x8004B001: "};
    EXPECT_EQ(Written(expected), expected);
}

TEST_F(KivErrorTrace, ASuccessfulReadIsFramedByCreationAndRelease)
{
    CFakeEnvironmentServerRegistration server(FakeEnvironmentBehaviour{});
    ASSERT_EQ(KivReadEnvironmentLanguage(trace.get()), LANGID{1031});
    EXPECT_EQ(Written(kLanguageLines), (std::vector<std::string>{kCreating, kLeaving}));
}

TEST_F(KivErrorTrace, FailuresNameTheStepThatFailed)
{
    FakeEnvironmentBehaviour failingCall;
    failingCall.answer = E_FAIL;
    CFakeEnvironmentServerRegistration server(failingCall);
    KivReadEnvironmentLanguage(trace.get());

    FakeEnvironmentBehaviour failingCreation;
    failingCreation.creation = REGDB_E_CLASSNOTREG;
    server.SetBehaviour(failingCreation);
    KivReadEnvironmentLanguage(trace.get());

    EXPECT_EQ(Written(kLanguageLines),
              (std::vector<std::string>{kCreating, kCallFailed, kLeaving, kCreating, kCreationFailed, kLeaving}));
}

TEST_F(KivErrorTrace, AKeptLanguageIsNotReadAgain)
{
    CFakeEnvironmentServerRegistration server(FakeEnvironmentBehaviour{});
    CKivLanguage language;
    language.Get(trace.get());
    language.Get(trace.get());
    EXPECT_EQ(Written(kLanguageLines), (std::vector<std::string>{kCreating, kLeaving}));
}
