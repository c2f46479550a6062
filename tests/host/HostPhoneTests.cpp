// PellaryHost.exe with the simulated phone: the phone proxy's events reach the plug-ins'
// EnableToolButton and the buttons follow their answers; presses reach Show.
#include <gtest/gtest.h>

#include "platform/host/HostProtocol.h"
#include "tests/host/HostTestBench.h"
#include "tests/host/SamplePlugInClass.h"
#include "tests/kivlink_phone/PhoneSimulator.h"
#include "tests/pagebase/PageTestHelpers.h"
#include "tests/support/ScreenImage.h"

using namespace host;

namespace {

constexpr DWORD kPhoneEndMs = 30000;
constexpr wchar_t kShowArguments[] = L"0|0";

class CGlobalAtom {
public:
    explicit CGlobalAtom(const wchar_t* text) : m_atom(GlobalAddAtomW(text)) {}
    ~CGlobalAtom() { GlobalDeleteAtom(m_atom); }
    WPARAM get() const { return m_atom; }

private:
    ATOM m_atom;
};

}  // namespace

class HostPhoneTest : public ::testing::Test {
protected:
    static void TearDownTestSuite()
    {
        // Kivlink and the simulator end by themselves once nobody holds them.
        EXPECT_TRUE(EndPhoneSim(kPhoneEndMs));
        WaitUntilGone(L"Kivlink.exe", kPhoneEndMs);
    }
    void SetUp() override
    {
        ASSERT_EQ(FindWindowW(L"#32770", kHostWindowTitle), nullptr) << "a host is still open";
        m_listing.Add(kSampleName, kSamplePlugInClsidText, kSamplePageName);
    }
    void TearDown() override { DisconnectPhones(); }

    CPlugInListing m_listing;
    CCallLog m_log;
};

TEST_F(HostPhoneTest, TheButtonFollowsTheTamloPhoneAndItsPressesReachShow)
{
    CHostProcess host(L"");
    ASSERT_NE(host.WaitForWindow(), nullptr) << host.Process().Output();
    EXPECT_EQ(host.ButtonState(0), kButtonDisabled);

    ASSERT_EQ(ConnectPhone(), 0);
    ASSERT_TRUE(host.WaitForButtonState(0, kButtonEnabled)) << host.Process().Output();
    EXPECT_TRUE(m_log.WaitFor(kSamplePageName, L"EnableToolButton", kSampleModel));
    EXPECT_TRUE(m_log.ArgumentsOf(kSamplePageName, L"Show").empty());
    LetWindowSettle(host.Window());
    EXPECT_TRUE(SaveScreenImage(ArtefactPath(L"host-phone-connected.png")));

    const UINT press = RegisterWindowMessageW(kPressPlugInMessage);
    EXPECT_EQ(SendMessageW(host.Window(), press, 0, 0), TRUE);
    EXPECT_TRUE(m_log.WaitFor(kSamplePageName, L"Show", kShowArguments));
    const CGlobalAtom name(kSampleName);
    EXPECT_EQ(SendMessageW(host.Window(), RegisterWindowMessageW(kPressPlugInByNameMessage), name.get(), 0), TRUE);
    EXPECT_TRUE(WaitUntil([&] { return m_log.ArgumentsOf(kSamplePageName, L"Show").size() == 2; }));

    ASSERT_EQ(DisconnectPhones(), 0);
    ASSERT_TRUE(host.WaitForButtonState(0, kButtonDisabled));
    EXPECT_TRUE(m_log.WaitFor(kSamplePageName, L"EnableToolButton", L""));
    EXPECT_EQ(SendMessageW(host.Window(), press, 0, 0), FALSE);

    // Another model: the sample plug-in is asked and keeps its button disabled.
    ASSERT_EQ(ConnectPhone(L"--model Vexa"), 0);
    EXPECT_TRUE(m_log.WaitFor(kSamplePageName, L"EnableToolButton", L"Vexa"));
    EXPECT_EQ(host.ButtonState(0), kButtonDisabled);

    EXPECT_EQ(host.Close(), kExitClosed) << host.Process().Output();
    EXPECT_EQ(m_log.ArgumentsOf(kSamplePageName, L"Show").size(), 2u);
    EXPECT_EQ(m_log.ArgumentsOf(kSamplePageName, L"OnDisconnection").size(), 1u);
}

TEST_F(HostPhoneTest, APhoneConnectedBeforeTheStartEnablesAtOnceAndTheAskedPressFollows)
{
    ASSERT_EQ(ConnectPhone(), 0);
    CHostProcess host(std::wstring(kPressOption) + L" " + kSampleName);
    ASSERT_NE(host.WaitForWindow(), nullptr) << host.Process().Output();
    EXPECT_TRUE(host.WaitForButtonState(0, kButtonEnabled)) << host.Process().Output();
    EXPECT_TRUE(m_log.WaitFor(kSamplePageName, L"Show", kShowArguments)) << host.Process().Output();
    EXPECT_EQ(m_log.ArgumentsOf(kSamplePageName, L"Show").size(), 1u);
    EXPECT_EQ(host.Close(), kExitClosed) << host.Process().Output();
}
