// PellaryHost.exe as a program on the test display, with the sample plug-in listed: the
// plug-ins' connection, buttons and pages, closing, the command line and the type library's
// registration. No phone takes part here (HostPhoneTests.cpp has those).
#include <gtest/gtest.h>

#include <commctrl.h>

#include "platform/host/HostProtocol.h"
#include "tests/host/HostTestBench.h"
#include "tests/host/SamplePlugInClass.h"
#include "tests/pagebase/PageTestHelpers.h"
#include "tests/pagebase/SamplePageClass.h"
#include "tests/support/ScreenImage.h"

using namespace host;

namespace {

constexpr DWORD kExitWaitMs = 60000;
constexpr wchar_t kSecondName[] = L"HostSampleTwo";
constexpr wchar_t kSecondPageName[] = L"Second sample page";
constexpr wchar_t kHostLibraryKey[] = L"TypeLib\\{4ADE6709-6400-4FB9-9111-FB4E8954BDE0}\\1.0";

bool HostLibraryRegistered()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, kHostLibraryKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

// The whole call log, for a failure's message.
std::string CallsText(const CCallLog& log)
{
    std::string text;
    for (const std::wstring& line : log.Lines()) {
        text += std::string(line.begin(), line.end()) + "\n";
    }
    return text;
}

long RunHost(const std::wstring& arguments)
{
    return RunAndWait(BinaryPath(kHostProgram), arguments, kExitWaitMs);
}

}  // namespace

class HostProgramTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(FindWindowW(L"#32770", kHostWindowTitle), nullptr) << "a host is still open"; }

    CPlugInListing m_listing;
    CCallLog m_log;
};

TEST_F(HostProgramTest, ListedPlugInsAreConnectedWithTheirButtonsAndPagesAndLetGoAtTheEnd)
{
    m_listing.Add(kSampleName, kSamplePlugInClsidText, kSamplePageName);
    m_listing.Add(kSecondName, kSamplePlugInClsidText, kSecondPageName);
    // Neither of these may keep the others from loading.
    m_listing.Add(L"AUnregisteredPlugIn", L"{00000000-1111-2222-3333-444444444444}", L"nothing");
    m_listing.Add(L"NoClassAtAll", L"", L"nothing");
    CHostProcess host(std::wstring(kPageOption) + L" " + kSecondName);
    ASSERT_NE(host.WaitForWindow(), nullptr) << host.Process().Output();

    // One button per connected plug-in, named after it, disabled without a phone.
    EXPECT_EQ(WindowText(host.Button(0)), kSampleName);
    EXPECT_EQ(WindowText(host.Button(1)), kSecondName);
    EXPECT_EQ(host.Button(2), nullptr);
    EXPECT_EQ(host.ButtonState(0), kButtonDisabled);
    EXPECT_EQ(host.ButtonState(1), kButtonDisabled);
    EXPECT_EQ(host.ButtonState(2), kButtonMissing);
    EXPECT_EQ(SendMessageW(host.Window(), RegisterWindowMessageW(kPressPlugInMessage), 0, 0), FALSE);

    // Each plug-in's page in a tab, the one asked for shown first.
    HWND tabs = GetDlgItem(host.Window(), pageframe::kTabControlId);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 1);
    HWND name = WaitForWindow([&] { return FindDescendant(host.Window(), IDC_SAMPLE_NAME); });
    ASSERT_NE(name, nullptr);
    EXPECT_TRUE(IsWindowVisible(GetParent(name)));
    LetWindowSettle(host.Window());
    EXPECT_TRUE(SaveScreenImage(ArtefactPath(L"host-sample-plugin.png")));

    // Distinct cookies, the commands registered under them, pages and tool tips asked for.
    const auto firstCookie = m_log.ArgumentsOf(kSamplePageName, L"OnConnection");
    const auto secondCookie = m_log.ArgumentsOf(kSecondPageName, L"OnConnection");
    ASSERT_EQ(firstCookie.size(), 1u);
    ASSERT_EQ(secondCookie.size(), 1u);
    EXPECT_NE(firstCookie[0], secondCookie[0]);
    for (const wchar_t* pageName : {kSamplePageName, kSecondPageName}) {
        EXPECT_EQ(m_log.ArgumentsOf(pageName, L"RegisterCommands"), std::vector<std::wstring>{L"ok"}) << pageName;
        EXPECT_EQ(m_log.ArgumentsOf(pageName, L"CollectPropertyPages").size(), 1u) << pageName;
        EXPECT_EQ(m_log.ArgumentsOf(pageName, L"GetToolTip").size(), 1u) << pageName;
        EXPECT_TRUE(m_log.ArgumentsOf(pageName, L"OnDisconnection").empty()) << pageName;
    }

    EXPECT_EQ(host.Close(), kExitClosed) << host.Process().Output();
    for (const wchar_t* pageName : {kSamplePageName, kSecondPageName}) {
        EXPECT_EQ(m_log.ArgumentsOf(pageName, L"CanCloseWindow"), std::vector<std::wstring>{L"yes"}) << pageName;
        EXPECT_EQ(m_log.ArgumentsOf(pageName, L"OnDisconnection").size(), 1u) << pageName;
    }
    // Disconnection is the last word each plug-in hears.
    const std::vector<std::wstring> lines = m_log.Lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_NE(lines[lines.size() - 1].find(L"OnDisconnection"), std::wstring::npos);
    EXPECT_NE(lines[lines.size() - 2].find(L"OnDisconnection"), std::wstring::npos);
}

TEST_F(HostProgramTest, APlugInThatRefusesClosingKeepsTheWindowOpenUntilItAgrees)
{
    m_listing.Add(kSampleName, kSamplePlugInClsidText, kSamplePageName);
    CHostProcess host(L"");
    ASSERT_NE(host.WaitForWindow(), nullptr) << host.Process().Output();
    m_log.RefuseClosing(true);

    for (WPARAM command : {IDCANCEL, IDOK}) {
        SendMessageW(host.Window(), WM_COMMAND, command, 0);
        EXPECT_TRUE(IsWindowVisible(host.Window())) << command;
    }
    // The dialog turns the window's close into a posted Cancel.
    SendMessageW(host.Window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return m_log.ArgumentsOf(kSamplePageName, L"CanCloseWindow").size() == 3; }));
    EXPECT_TRUE(IsWindowVisible(host.Window()));
    EXPECT_EQ(m_log.ArgumentsOf(kSamplePageName, L"CanCloseWindow"), (std::vector<std::wstring>(3, L"no")));
    EXPECT_TRUE(m_log.ArgumentsOf(kSamplePageName, L"OnDisconnection").empty());

    m_log.RefuseClosing(false);
    PostMessageW(host.Window(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(host.Process().Wait(kExitWaitMs), kExitClosed) << host.Process().Output();
    EXPECT_EQ(m_log.ArgumentsOf(kSamplePageName, L"CanCloseWindow").back(), L"yes");
    EXPECT_EQ(m_log.ArgumentsOf(kSamplePageName, L"OnDisconnection").size(), 1u)
        << host.Process().Output() << CallsText(m_log);
}

TEST_F(HostProgramTest, APlugInsTitleNamesItsButtonAndItsToolTipShowsOverTheDisabledButton)
{
    constexpr wchar_t kTitle[] = L"Sample tools";
    m_listing.Add(kSampleName, kSamplePlugInClsidText, kSamplePageName);
    SetEnvironmentVariableW(kTitleVariable, kTitle);
    CHostProcess host(L"");
    SetEnvironmentVariableW(kTitleVariable, nullptr);
    ASSERT_NE(host.WaitForWindow(), nullptr) << host.Process().Output();
    EXPECT_EQ(WindowText(host.Button(0)), kTitle);
    EXPECT_EQ(host.ButtonState(0), kButtonDisabled);

    RECT button{};
    GetWindowRect(host.Button(0), &button);
    SetCursorPos((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    EXPECT_TRUE(WaitUntil([&] {
        HWND tip = FindWindowW(TOOLTIPS_CLASSW, nullptr);
        return tip != nullptr && IsWindowVisible(tip) && GetWindow(tip, GW_OWNER) == host.Window();
    }));
    SetCursorPos(0, 0);
    EXPECT_EQ(m_log.ArgumentsOf(kSamplePageName, L"OnConnection").size(), 1u);
    EXPECT_EQ(host.Close(), kExitClosed) << host.Process().Output();
}

TEST_F(HostProgramTest, APressThatCannotHappenEndsWithItsExitCode)
{
    m_listing.Add(kSampleName, kSamplePlugInClsidText, kSamplePageName);
    // No phone: the button never becomes enabled.
    CHostProcess waiting(std::wstring(kPressOption) + L" " + kSampleName + L" " + kPressTimeoutOption + L" 3000");
    EXPECT_EQ(waiting.Process().Wait(kExitWaitMs), kExitPressTimedOut) << waiting.Process().Output();
    EXPECT_NE(waiting.Process().Output().find("not enabled in time"), std::string::npos) << waiting.Process().Output();
    EXPECT_TRUE(m_log.ArgumentsOf(kSamplePageName, L"Show").empty());
    EXPECT_EQ(m_log.ArgumentsOf(kSamplePageName, L"OnDisconnection").size(), 1u);

    EXPECT_EQ(RunHost(std::wstring(kPressOption) + L" Nobody"), kExitPlugInNotFound);
}

TEST(HostCommandLineTest, AnUnknownOptionOrAMissingValueIsAUsageError)
{
    EXPECT_EQ(RunHost(L"--bogus"), kExitUsage);
    EXPECT_EQ(RunHost(kPressOption), kExitUsage);
    EXPECT_EQ(RunHost(std::wstring(kPressOption) + L" " + kSampleName + L" " + kPressTimeoutOption + L" soon"),
              kExitUsage);
}

TEST(HostRegistrationTest, UnregServerRemovesTheTypeLibraryAndRegServerPutsItBack)
{
    ASSERT_EQ(RunHost(L"/UnregServer"), kExitClosed);
    EXPECT_FALSE(HostLibraryRegistered());
    ASSERT_EQ(RunHost(L"/RegServer"), kExitClosed);
    EXPECT_TRUE(HostLibraryRegistered());
}
