// The language the components choose: the user's choice through EnvironmentServer, else the
// system's default with the thread's locale left as it was.
#include <gtest/gtest.h>

#include "com/ComInit.h"
#include "resources/LanguageChoice.h"
#include "tests/resources/TestTextIds.h"
#include "tests/resources/TestTextsModule.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ClassRegistrationHider.h"
#include "tests/support/RegistryValueGuard.h"

namespace {

constexpr wchar_t kEnvironmentServerClassKey[] = L"CLSID\\{ACAF313A-993D-4E85-B0FB-F6E07891BC90}";
constexpr LANGID kRussian = 1049;
constexpr LANGID kChinese = 2052;
// A server still running from an earlier case would serve the creation without the registry;
// it ends two seconds after its last client.
constexpr DWORD kServerEndMs = 20000;

class LanguageChoice : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(com.succeeded());
        ASSERT_NE(TestTextsModule(), nullptr);
    }
    void TearDown() override { SetThreadLocale(m_locale); }

    tolv::com::com_init com{COINIT_APARTMENTTHREADED};
    CSuiteLanguageSetting m_setting;
    const LCID m_locale = GetThreadLocale();
};

}  // namespace

TEST_F(LanguageChoice, TheSuitesLanguageIsSetAndBecomesTheThreadsLocale)
{
    m_setting.SetDword(kChinese);
    CLanguageModuleResource resource(TestTextsModule());
    EXPECT_EQ(tolv::resources::ChooseSuiteLanguage(resource), kChinese);
    EXPECT_EQ(resource.Language(), kChinese);
    EXPECT_EQ(resource.Reader().Language(), kChinese);
    EXPECT_EQ(GetThreadLocale(), MAKELCID(kChinese, SORT_DEFAULT));
    std::string text;
    EXPECT_GT(resource.LoadString(kGreeting, text), 0);
    EXPECT_NE(text, "Hello");
}

TEST_F(LanguageChoice, WithoutTheServerTheSystemDefaultIsSetAndTheLocaleStays)
{
    m_setting.SetDword(kChinese);
    SetThreadLocale(MAKELCID(kRussian, SORT_DEFAULT));
    CClassRegistrationHider hider(kEnvironmentServerClassKey);
    ASSERT_TRUE(hider.Hid());
    ASSERT_GE(WaitUntilGone(L"envserver.exe", kServerEndMs), 0);
    CLanguageModuleResource resource(TestTextsModule());
    EXPECT_EQ(tolv::resources::ChooseSuiteLanguage(resource), GetSystemDefaultLangID());
    EXPECT_EQ(resource.Language(), GetSystemDefaultLangID());
    EXPECT_EQ(GetThreadLocale(), MAKELCID(kRussian, SORT_DEFAULT));
}
