// The MP3 page in the page frame as a program, with the registered proxy, Kivlink and the
// phone simulator: what it shows without a phone, and with the simulated phone connected
// once the host reports it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <windows.h>
#include <commctrl.h>

#include "platform/pageframe/PageFrameProtocol.h"
#include "plugins/tunepane/Mp3PropertyPage.h"
#include "plugins/tunepane/res/TunepaneResources.h"
#include "tests/kivlink_phone/PhoneSimulator.h"
#include "tests/pagebase/PageTestHelpers.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ScreenImage.h"
#include "tests/tunepane_page/Mp3PageTestSupport.h"
#include "tests/tunepane_page/Mp3TestPageClass.h"

namespace {

constexpr DWORD kExitWaitMs = 20000;
// A refresh that starts Kivlink and asks for a phone that is gone takes tens of seconds.
constexpr UINT kRefreshWaitMs = 180000;
constexpr wchar_t kNoCapacity[] = L"Card capacity:  0 KB";
constexpr wchar_t kCapacityLabel[] = L"Card capacity:  ";

HWND FindFrame()
{
    return FindWindowW(L"#32770", pageframe::kPageFrameTitle);
}

class Mp3PageFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(FindFrame(), nullptr) << "a frame of an earlier test is still open";
        SetEnvironmentVariableW(kMp3TestProfileVariable, m_profile.Path().c_str());
        m_frameProcess =
            std::make_unique<CChildProcess>(ProgramCommand(BinaryPath(L"pageframe.exe"), kMp3TestPageClsidText));
        ASSERT_TRUE(m_frameProcess->Started());
        m_frame = WaitForWindow(&FindFrame);
        ASSERT_NE(m_frame, nullptr);
        HWND list = WaitForWindow([&] { return FindDescendant(m_frame, TUNEPANE_IDC_MP3_LIST); });
        ASSERT_NE(list, nullptr);
        m_page = GetParent(list);
        // The refresh of the page's start has shown the phone side.
        ASSERT_TRUE(WaitUntil([&] { return !Text(TUNEPANE_IDC_CAPACITY_TEXT).empty(); }));
    }
    void TearDown() override
    {
        SetEnvironmentVariableW(kMp3TestProfileVariable, nullptr);
        if (IsWindow(m_frame)) {
            PostMessageW(m_frame, WM_COMMAND, IDCANCEL, 0);
        }
        if (m_frameProcess) {
            EXPECT_EQ(m_frameProcess->Finish(kExitWaitMs), pageframe::kExitClosed);
        }
    }

    std::wstring Text(int id) const { return WindowText(GetDlgItem(m_page, id)); }
    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(m_page, id)) != FALSE; }
    // The host's report of a phone of the supported model, then the page's synchronous refresh.
    bool RefreshAsConnectedHost() const
    {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(m_page, RegisterWindowMessageW(kMp3TestFrameworkMessage), 1, 0, SMTO_NORMAL, kRefreshWaitMs,
                            &answer);
        return SendMessageTimeoutW(m_page, RegisterWindowMessageW(tolv::tunepane::kUpdateMp3PageMessage), 0, 0,
                                   SMTO_NORMAL, kRefreshWaitMs, &answer) != 0;
    }

    TestProfile m_profile{L"Mp3PageFrame"};
    std::unique_ptr<CChildProcess> m_frameProcess;
    HWND m_frame = nullptr;
    HWND m_page = nullptr;
};

}  // namespace

TEST_F(Mp3PageFrameTest, WithoutAPhoneLoadStaysOffAndThePhoneDirectoryIsThePhonePathAlone)
{
    EXPECT_EQ(Text(TUNEPANE_IDC_CAPACITY_TEXT), kNoCapacity);
    EXPECT_EQ(Text(TUNEPANE_IDC_PHONE_PATH), L"\\Mp3");
    EXPECT_FALSE(Enabled(TUNEPANE_IDC_LOAD_BUTTON));
    EXPECT_EQ(SendMessageW(GetDlgItem(m_page, TUNEPANE_IDC_MP3_LIST), LVM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(Text(TUNEPANE_IDC_FREE_TEXT), L"Remaining free memory:  10 %");
    EXPECT_EQ(Text(TUNEPANE_IDC_LOAD_BUTTON), L"Load");
    EXPECT_EQ(Text(TUNEPANE_IDC_PC_GROUP), L"Your PC");
    const std::wstring info = WindowText(GetDlgItem(m_frame, pageframe::kPageInfoTextId));
    EXPECT_NE(info.find(tolv::tunepane::kMp3PageHelpFile), std::wstring::npos) << info;
    EXPECT_NE(info.find(kMp3TestDocString), std::wstring::npos) << info;
    LetWindowSettle(m_frame);
    EXPECT_TRUE(SaveScreenImage(ArtefactPath(L"mp3-page-no-phone.png")));
}

class Mp3PageWithPhoneTest : public Mp3PageFrameTest {
public:
    static void SetUpTestSuite() { ASSERT_EQ(ConnectPhone(), 0); }
    static void TearDownTestSuite()
    {
        EXPECT_TRUE(EndPhoneSim(30000));
        WaitUntilGone(L"Kivlink.exe", 30000);
    }
};

TEST_F(Mp3PageWithPhoneTest, TheConnectedPhoneEnablesLoadAndTheTargetIsTheMemoryCard)
{
    // Until the host reports the phone the page does not ask it.
    EXPECT_FALSE(Enabled(TUNEPANE_IDC_LOAD_BUTTON));
    EXPECT_EQ(Text(TUNEPANE_IDC_CAPACITY_TEXT), kNoCapacity);

    ASSERT_TRUE(RefreshAsConnectedHost());
    EXPECT_TRUE(Enabled(TUNEPANE_IDC_LOAD_BUTTON));
    EXPECT_EQ(Text(TUNEPANE_IDC_PHONE_PATH), L"E:\\Mp3");
    const std::wstring capacity = Text(TUNEPANE_IDC_CAPACITY_TEXT);
    EXPECT_EQ(capacity.rfind(kCapacityLabel, 0), 0u) << capacity;
    EXPECT_NE(capacity, kNoCapacity);
    LetWindowSettle(m_frame);
    EXPECT_TRUE(SaveScreenImage(ArtefactPath(L"mp3-page-phone.png")));

    // The host still reports the phone, but the phone no longer answers.
    ASSERT_EQ(DisconnectPhones(), 0);
    ASSERT_TRUE(RefreshAsConnectedHost());
    EXPECT_FALSE(Enabled(TUNEPANE_IDC_LOAD_BUTTON));
    EXPECT_EQ(Text(TUNEPANE_IDC_CAPACITY_TEXT), kNoCapacity);
    EXPECT_EQ(Text(TUNEPANE_IDC_PHONE_PATH), L"\\Mp3");
}
