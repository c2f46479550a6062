// GetLanguage answers the user's choice in HKCU, else the user's Windows language; Kivlink's
// reader, which knows only the slot, gets the same answer across the process boundary.
#include "tests/envserver/EnvServerTest.h"

#include "Components/Kivlink/errors/KivLanguage.h"
#include "com/UniqueBstr.h"
#include "tests/support/RegistryValueGuard.h"

namespace {

short LanguageOf(IEnvironmentServer* server)
{
    short language = 0;
    EXPECT_EQ(server->GetLanguage(&language), S_OK);
    return language;
}

std::wstring CodeOf(IEnvironmentServer* server)
{
    tolv::com::unique_bstr code;
    EXPECT_EQ(server->GetLanguageCode(code.put()), S_OK);
    return code.c_str();
}

const short kUserDefault = static_cast<short>(GetUserDefaultUILanguage());

}  // namespace

using EnvServerLanguage = EnvServerTest;

TEST_F(EnvServerLanguage, TheUsersChoiceIsReadAtEveryCall)
{
    CSuiteLanguageSetting setting;
    const auto server = CreateServer();
    ASSERT_TRUE(server);
    for (DWORD language : {1031u, 2052u, 3084u, 1041u}) {
        setting.SetDword(language);
        EXPECT_EQ(LanguageOf(server.get()), static_cast<short>(language));
    }
}

TEST_F(EnvServerLanguage, WithoutAUsableChoiceTheUsersWindowsLanguageAnswers)
{
    CSuiteLanguageSetting setting;
    const auto server = CreateServer();
    ASSERT_TRUE(server);
    setting.Remove();
    EXPECT_EQ(LanguageOf(server.get()), kUserDefault);
    setting.SetString(L"1031");
    EXPECT_EQ(LanguageOf(server.get()), kUserDefault);
    setting.SetDword(0);
    EXPECT_EQ(LanguageOf(server.get()), kUserDefault);
    setting.SetDword(0x10407);
    EXPECT_EQ(LanguageOf(server.get()), kUserDefault);
}

TEST_F(EnvServerLanguage, SetLanguageStoresTheChoiceAndZeroForgetsIt)
{
    CSuiteLanguageSetting setting;
    const auto server = CreateServer();
    ASSERT_TRUE(server);
    EXPECT_EQ(server->SetLanguage(1049), S_OK);
    EXPECT_EQ(setting.ReadDword(), 1049u);
    EXPECT_EQ(LanguageOf(server.get()), 1049);
    EXPECT_EQ(CodeOf(server.get()), L"RU_RU");

    EXPECT_EQ(server->SetLanguage(0), S_OK);
    EXPECT_FALSE(setting.ReadDword().has_value());
    EXPECT_EQ(LanguageOf(server.get()), kUserDefault);
    EXPECT_EQ(server->SetLanguage(0), S_OK);
}

TEST_F(EnvServerLanguage, CodesFollowTheSuitesLanguageTable)
{
    CSuiteLanguageSetting setting;
    const auto server = CreateServer();
    ASSERT_TRUE(server);
    const std::pair<DWORD, const wchar_t*> expected[] = {
        {1031, L"DE_DE"}, {2057, L"EN_UK"}, {1044, L"NO_NO"}, {3082, L"ES_ES"}, {1041, L"EN_US"}};
    for (const auto& [language, code] : expected) {
        setting.SetDword(language);
        EXPECT_EQ(CodeOf(server.get()), code) << language;
    }
}

TEST_F(EnvServerLanguage, KivlinksReaderGetsTheSameLanguage)
{
    CSuiteLanguageSetting setting;
    setting.SetDword(1036);
    EXPECT_EQ(KivReadEnvironmentLanguage(nullptr), LANGID{1036});
    CKivLanguage kept;
    EXPECT_EQ(kept.Get(nullptr), LANGID{1036});
    setting.SetDword(1040);
    EXPECT_EQ(kept.Get(nullptr), LANGID{1036});
    EXPECT_EQ(KivReadEnvironmentLanguage(nullptr), LANGID{1040});
}
