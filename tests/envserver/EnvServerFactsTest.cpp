// The environment members answer what the server's own process sees (the same user and
// machine as this test), follow the suite's machine-wide settings, and the members this
// edition does not offer say so.
#include "tests/envserver/EnvServerTest.h"

#include <string>

#include "com/UniqueBstr.h"
#include "tests/support/RegistryValueGuard.h"

namespace {

constexpr wchar_t kSuiteKey[] = L"Software\\Vostrel\\Pellary";

template <class Method>
std::wstring TextOf(IEnvironmentServer* server, Method method)
{
    tolv::com::unique_bstr text;
    EXPECT_EQ((server->*method)(text.put()), S_OK);
    return text.c_str();
}

std::wstring Expanded(const wchar_t* text)
{
    wchar_t buffer[1024];
    const DWORD length = ExpandEnvironmentStringsW(text, buffer, ARRAYSIZE(buffer));
    return std::wstring(buffer, length > 0 ? length - 1 : 0);
}

}  // namespace

using EnvServerFacts = EnvServerTest;

TEST_F(EnvServerFacts, UserMachineAndFoldersAreThoseOfTheSession)
{
    const auto server = CreateServer();
    ASSERT_TRUE(server);
    wchar_t user[257];
    DWORD userSize = ARRAYSIZE(user);
    ASSERT_TRUE(GetUserNameW(user, &userSize));
    EXPECT_EQ(TextOf(server.get(), &IEnvironmentServer::GetLogonUserName), user);
    wchar_t machine[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD machineSize = ARRAYSIZE(machine);
    ASSERT_TRUE(GetComputerNameW(machine, &machineSize));
    EXPECT_EQ(TextOf(server.get(), &IEnvironmentServer::GetMachineName), machine);
    wchar_t temp[MAX_PATH + 1];
    ASSERT_GT(GetTempPathW(ARRAYSIZE(temp), temp), 0u);
    EXPECT_EQ(TextOf(server.get(), &IEnvironmentServer::GetTempFolder), temp);

    const std::wstring appData = TextOf(server.get(), &IEnvironmentServer::GetUserDataFolder);
    EXPECT_TRUE(appData.ends_with(L"\\Vostrel\\Pellary")) << appData;
    EXPECT_FALSE(TextOf(server.get(), &IEnvironmentServer::GetStartupFolder).empty());
}

TEST_F(EnvServerFacts, PathsAndVariablesAreExpandedLikeTheCallersOwn)
{
    const auto server = CreateServer();
    ASSERT_TRUE(server);
    tolv::com::unique_bstr expanded;
    ASSERT_EQ(server->ExpandPath(tolv::com::unique_bstr(L"%SystemRoot%\\system32").get(), expanded.put()), S_OK);
    EXPECT_EQ(std::wstring(expanded.c_str()), Expanded(L"%SystemRoot%\\system32"));
    ASSERT_EQ(server->ExpandPath(nullptr, expanded.put()), S_OK);
    EXPECT_TRUE(expanded.empty());

    tolv::com::unique_bstr value;
    ASSERT_EQ(server->GetVariable(tolv::com::unique_bstr(L"SystemRoot").get(), value.put()), S_OK);
    EXPECT_EQ(std::wstring(value.c_str()), Expanded(L"%SystemRoot%"));
    EXPECT_EQ(server->GetVariable(tolv::com::unique_bstr(L"PELLARY_NO_SUCH_VARIABLE").get(), value.put()),
              HRESULT_FROM_WIN32(ERROR_ENVVAR_NOT_FOUND));
    EXPECT_EQ(server->GetVariable(nullptr, value.put()), E_INVALIDARG);
}

TEST_F(EnvServerFacts, InstallationFoldersFollowTheMachineSetting)
{
    CRegistryValueGuard installation(HKEY_LOCAL_MACHINE, kSuiteKey, L"InstallationPath");
    const auto server = CreateServer();
    ASSERT_TRUE(server);
    installation.SetString(L"C:\\Program Files\\Vostrel\\");
    EXPECT_EQ(TextOf(server.get(), &IEnvironmentServer::GetInstallationPath), L"C:\\Program Files\\Vostrel\\");
    EXPECT_EQ(TextOf(server.get(), &IEnvironmentServer::GetBinFolder), L"C:\\Program Files\\Vostrel\\Bin");
    EXPECT_EQ(TextOf(server.get(), &IEnvironmentServer::GetLanguagesFolder),
              L"C:\\Program Files\\Vostrel\\Bin\\Languages");
    installation.Remove();
    EXPECT_EQ(TextOf(server.get(), &IEnvironmentServer::GetInstallationPath), L"");
    EXPECT_EQ(TextOf(server.get(), &IEnvironmentServer::GetBinFolder), L"");
}

TEST_F(EnvServerFacts, TraceSettingsAreReadWhenAsked)
{
    CRegistryValueGuard flag(HKEY_LOCAL_MACHINE, kSuiteKey, L"TraceInfoFlag");
    const auto server = CreateServer();
    ASSERT_TRUE(server);
    long value = -1;
    flag.SetDword(1);
    ASSERT_EQ(server->GetTraceFlag(&value), S_OK);
    EXPECT_EQ(value, 1);
    flag.Remove();
    ASSERT_EQ(server->GetTraceFlag(&value), S_OK);
    EXPECT_EQ(value, 0);
}

TEST_F(EnvServerFacts, VersionsAndMachineFiguresAreGiven)
{
    const auto server = CreateServer();
    ASSERT_TRUE(server);
    EXPECT_EQ(TextOf(server.get(), &IEnvironmentServer::GetSuiteVersion), PELLARY_VERSION_TEXT L".0");
    EXPECT_EQ(TextOf(server.get(), &IEnvironmentServer::GetWindowsVersion).find_first_not_of(L"0123456789."),
              std::wstring::npos);
    long number = 0;
    ASSERT_EQ(server->GetAnsiCodePage(&number), S_OK);
    EXPECT_EQ(number, static_cast<long>(GetACP()));
    ASSERT_EQ(server->GetProcessorCount(&number), S_OK);
    EXPECT_GT(number, 0);
    ASSERT_EQ(server->GetPhysicalMemory(&number), S_OK);
    EXPECT_GT(number, 0);
    VARIANT_BOOL wide = VARIANT_FALSE;
    ASSERT_EQ(server->IsWindows64Bit(&wide), S_OK);
    EXPECT_EQ(wide, VARIANT_TRUE);
}

TEST_F(EnvServerFacts, MembersOfOtherEditionsAreNotImplemented)
{
    const auto server = CreateServer();
    ASSERT_TRUE(server);
    tolv::com::unique_bstr text;
    EXPECT_EQ(server->GetProductKey(text.put()), E_NOTIMPL);
    EXPECT_EQ(server->GetActivePhoneName(text.put()), E_NOTIMPL);
    EXPECT_EQ(server->GetHelpFile(text.put()), E_NOTIMPL);
    EXPECT_TRUE(text.empty());
    long state = 0;
    EXPECT_EQ(server->GetLicenseState(&state), E_NOTIMPL);
    VARIANT_BOOL available = VARIANT_FALSE;
    EXPECT_EQ(server->CheckForUpdates(&available), E_NOTIMPL);
}
