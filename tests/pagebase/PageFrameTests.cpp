// The page frame as a program, driven from this process by window messages: the sample page
// in the frame's own window and in the system's property frame.
#include <gtest/gtest.h>

#include <string>

#include <windows.h>

#include "platform/pageframe/PageFrameProtocol.h"
#include "tests/pagebase/PageTestHelpers.h"
#include "tests/pagebase/SamplePageClass.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ScreenImage.h"

using namespace pageframe;

namespace {

constexpr DWORD kExitWaitMs = 20000;

std::wstring FrameCommand(const std::wstring& arguments)
{
    return ProgramCommand(BinaryPath(L"pageframe.exe"), arguments);
}

HWND FindFrame()
{
    return FindWindowW(L"#32770", kPageFrameTitle);
}

// The system's frame titles itself after the caption it was given, in its own words.
HWND FindSystemFrame()
{
    struct Search {
        HWND found;
    } search{nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            wchar_t title[256] = {};
            GetWindowTextW(window, title, static_cast<int>(std::size(title)));
            if (IsWindowVisible(window) && wcsstr(title, kPageFrameTitle) != nullptr &&
                FindDescendant(window, IDC_SAMPLE_NAME) != nullptr) {
                reinterpret_cast<Search*>(data)->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FocusOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

}  // namespace

class PageFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(FindFrame(), nullptr) << "a frame of an earlier test is still open";
        m_frameProcess = std::make_unique<CChildProcess>(FrameCommand(kSamplePageClsidText));
        ASSERT_TRUE(m_frameProcess->Started());
        m_frame = WaitForWindow(&FindFrame);
        ASSERT_NE(m_frame, nullptr);
        // The window exists before it has shown its first page.
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(m_frame) != FALSE; }));
        m_name = WaitForWindow([&] { return FindDescendant(m_frame, IDC_SAMPLE_NAME); });
        ASSERT_NE(m_name, nullptr);
    }
    void TearDown() override
    {
        if (IsWindow(m_frame)) {
            PostMessageW(m_frame, WM_COMMAND, IDCANCEL, 0);
        }
        m_frameProcess->Finish(kExitWaitMs);
    }

    HWND Apply() const { return GetDlgItem(m_frame, kApplyButtonId); }
    HWND Sample(int id) const { return FindDescendant(m_frame, id); }

    std::unique_ptr<CChildProcess> m_frameProcess;
    HWND m_frame = nullptr;
    HWND m_name = nullptr;
};

TEST_F(PageFrameTest, ThePageShowsInsideTheTabWithItsHelpFileAndDocString)
{
    HWND page = GetParent(m_name);
    EXPECT_EQ(GetParent(page), m_frame);
    EXPECT_TRUE(IsWindowVisible(page));
    RECT pageRect{};
    RECT tabRect{};
    GetWindowRect(page, &pageRect);
    GetWindowRect(GetDlgItem(m_frame, kTabControlId), &tabRect);
    RECT inside{};
    EXPECT_TRUE(IntersectRect(&inside, &pageRect, &tabRect) && EqualRect(&inside, &pageRect));

    const std::wstring info = WindowText(GetDlgItem(m_frame, kPageInfoTextId));
    EXPECT_NE(info.find(kSamplePageHelpFile), std::wstring::npos) << info;
    EXPECT_NE(info.find(kSamplePageDocString), std::wstring::npos) << info;
    EXPECT_EQ(SendMessageW(m_frame, RegisterWindowMessageW(kSelectPageMessage), 0, 0), TRUE);
    EXPECT_EQ(SendMessageW(m_frame, RegisterWindowMessageW(kSelectPageMessage), 1, 0), FALSE);
}

TEST_F(PageFrameTest, AnEditEnablesApplyAndApplyReachesThePage)
{
    EXPECT_FALSE(IsWindowEnabled(Apply()));
    SendMessageW(m_name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Alice"));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(Apply()) != FALSE; }));
    LetWindowSettle(m_frame);
    EXPECT_TRUE(SaveScreenImage(ArtefactPath(L"page-frame-sample.png")));

    SendMessageW(m_frame, WM_COMMAND, kApplyButtonId, 0);
    EXPECT_EQ(WindowText(Sample(IDC_SAMPLE_APPLIED)), L"Applied: 1");
    EXPECT_FALSE(IsWindowEnabled(Apply()));

    // OK applies what changed since and closes the frame.
    SendMessageW(Sample(IDC_SAMPLE_NOTE), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"note"));
    PostMessageW(m_frame, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(m_frameProcess->Wait(kExitWaitMs), kExitClosed);
}

TEST_F(PageFrameTest, ARefusedApplyKeepsTheFrameOpenAndModified)
{
    SendMessageW(m_name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kSampleRefusedName));
    SendMessageW(m_frame, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindow(m_frame));
    EXPECT_TRUE(IsWindowEnabled(Apply()));
    EXPECT_EQ(WindowText(Sample(IDC_SAMPLE_APPLIED)), L"Applied: 0");
    PostMessageW(m_frame, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(m_frameProcess->Wait(kExitWaitMs), kExitClosed);
}

TEST_F(PageFrameTest, TheTabKeyGoesToThePageAndMovesItsFocus)
{
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(m_frame) == m_name; }));
    PostMessageW(m_name, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(m_frame) == Sample(IDC_SAMPLE_ENABLED); }));
    PostMessageW(Sample(IDC_SAMPLE_ENABLED), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(m_frame) == Sample(IDC_SAMPLE_NOTE); }));
}

TEST(PageFrameProgramTest, PagesSwitchByTheRegisteredMessageAndKeepTheirChanges)
{
    CChildProcess frameProcess(FrameCommand(std::wstring(kSamplePageClsidText) + L" " + kSamplePageClsidText));
    ASSERT_TRUE(frameProcess.Started());
    HWND frame = WaitForWindow(&FindFrame);
    ASSERT_NE(frame, nullptr);
    HWND first = WaitForWindow([&] { return FindDescendant(frame, IDC_SAMPLE_NAME); });
    ASSERT_NE(first, nullptr);
    const UINT selectPage = RegisterWindowMessageW(kSelectPageMessage);
    HWND apply = GetDlgItem(frame, kApplyButtonId);

    SendMessageW(first, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"first"));
    ASSERT_EQ(SendMessageW(frame, selectPage, 1, 0), TRUE);
    // One page shown at a time: the first one's dialog went, the second one's came.
    EXPECT_FALSE(IsWindow(first));
    HWND second = FindDescendant(frame, IDC_SAMPLE_NAME);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(FindWindowExW(frame, GetParent(second), L"#32770", nullptr), nullptr);
    EXPECT_TRUE(IsWindowEnabled(apply));
    EXPECT_EQ(WindowText(second), L"");

    SendMessageW(frame, WM_COMMAND, kApplyButtonId, 0);
    EXPECT_FALSE(IsWindowEnabled(apply));
    EXPECT_EQ(SendMessageW(frame, selectPage, 2, 0), FALSE);
    ASSERT_EQ(SendMessageW(frame, selectPage, 0, 0), TRUE);
    EXPECT_EQ(WindowText(FindDescendant(frame, IDC_SAMPLE_APPLIED)), L"Applied: 1");
    PostMessageW(frame, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(frameProcess.Finish(kExitWaitMs), kExitClosed);
}

TEST(PageFrameProgramTest, TheSystemFrameShowsTheSamplePage)
{
    CChildProcess frameProcess(FrameCommand(std::wstring(kSystemFrameOption) + L" " + kSamplePageClsidText));
    ASSERT_TRUE(frameProcess.Started());
    HWND frame = WaitForWindow(&FindSystemFrame);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(IsWindowVisible(GetParent(FindDescendant(frame, IDC_SAMPLE_NAME))));
    LetWindowSettle(frame);
    EXPECT_TRUE(SaveScreenImage(ArtefactPath(L"system-frame-sample.png")));
    PostMessageW(frame, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(frameProcess.Finish(kExitWaitMs), kExitClosed);
}

TEST(PageFrameProgramTest, ABadCommandLineOrAnUnknownPageEndsWithItsExitCode)
{
    EXPECT_EQ(RunAndWait(BinaryPath(L"pageframe.exe"), L"", kExitWaitMs), kExitUsage);
    EXPECT_EQ(RunAndWait(BinaryPath(L"pageframe.exe"), L"--modal {3F1C2A64-8B7E-4D0A-9C51-2E6F0B7D4A19}", kExitWaitMs),
              kExitUsage);
    EXPECT_EQ(RunAndWait(BinaryPath(L"pageframe.exe"), L"Tunepane.TolvTunepanePlugIn", kExitWaitMs), kExitUsage);
    EXPECT_EQ(RunAndWait(BinaryPath(L"pageframe.exe"), L"{00000000-1111-2222-3333-444444444444}", kExitWaitMs),
              kExitPageNotLoaded);
}
