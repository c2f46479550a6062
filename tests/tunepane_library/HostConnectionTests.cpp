// Tunepane's connection and commands objects as the host meets them: created by class from the
// registered library, connected with a host of the test's own.
#include <gtest/gtest.h>

#include "com/ComInit.h"
#include "com/UniqueBstr.h"
#include "FakeHost.h"
#include "tests/support/MessageBoxWatcher.h"
#include "TunepaneLib.h"

namespace {

using tolv::com::com_ptr;

class HostConnectionTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(tolv::com::ComObject<CFakeHost>::Create(m_host));
        ASSERT_HRESULT_SUCCEEDED(m_host->QueryInterface(IID_PPV_ARGS(m_hostUnknown.put())));
        ASSERT_HRESULT_SUCCEEDED(
            CoCreateInstance(CLSID_TolvTunepanePlugIn, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(m_plugIn.put())));
    }
    void TearDown() override
    {
        if (m_plugIn)
            m_plugIn->OnDisconnection();
    }
    VARIANT_BOOL Connect(long cookie)
    {
        VARIANT_BOOL connected = VARIANT_FALSE;
        tolv::com::unique_bstr name(L"Mp3 Settings");
        EXPECT_HRESULT_SUCCEEDED(m_plugIn->OnConnection(m_hostUnknown.get(), cookie, name.get(), &connected));
        return connected;
    }
    static VARIANT_BOOL Enable(IHostCommands* commands, const wchar_t* model)
    {
        VARIANT_BOOL enable = VARIANT_TRUE;
        tolv::com::unique_bstr text(model);
        EXPECT_EQ(commands->EnableToolButton(text.get(), 0, 0, &enable), S_OK);
        return enable;
    }

    tolv::com::com_init m_com{COINIT_APARTMENTTHREADED};
    com_ptr<IUnknown> m_hostUnknown;
    com_ptr<tolv::com::ComObject<CFakeHost>> m_host;
    com_ptr<IHostPlugIn> m_plugIn;
};

TEST_F(HostConnectionTest, AConnectionHandsTheHostCommandsThatOfferThePageAndTheToolButton)
{
    ASSERT_EQ(Connect(42), VARIANT_TRUE);
    ASSERT_TRUE(m_host->commands);
    EXPECT_EQ(m_host->cookie, 42);

    EXPECT_EQ(Enable(m_host->commands.get(), L"Tamlo"), VARIANT_TRUE);
    EXPECT_EQ(Enable(m_host->commands.get(), L"tamlo"), VARIANT_FALSE);
    EXPECT_EQ(Enable(m_host->commands.get(), L""), VARIANT_FALSE);

    com_ptr<IHostPageCollector> collector;
    ASSERT_HRESULT_SUCCEEDED(m_hostUnknown->QueryInterface(IID_PPV_ARGS(collector.put())));
    EXPECT_EQ(m_host->commands->CollectPropertyPages(collector.get()), S_OK);
    ASSERT_EQ(m_host->pages.size(), 1u);
    PROPPAGEINFO info{};
    info.cb = sizeof(info);
    ASSERT_HRESULT_SUCCEEDED(m_host->pages[0]->GetPageInfo(&info));
    EXPECT_STREQ(info.pszDocString, L"Mp3 Settings");
    EXPECT_STREQ(info.pszTitle, L"MP3 > Phone");
    CoTaskMemFree(info.pszTitle);
    CoTaskMemFree(info.pszDocString);
    CoTaskMemFree(info.pszHelpFile);

    tolv::com::unique_bstr tip;
    EXPECT_EQ(m_host->commands->GetToolTip(tip.put()), S_OK);
    EXPECT_STREQ(tip.get(), L"MP3 > Phone");
}

TEST_F(HostConnectionTest, ASecondConnectionFailsAndKeepsTheFirst)
{
    ASSERT_EQ(Connect(1), VARIANT_TRUE);
    com_ptr<IHostCommands> first = m_host->commands;

    VARIANT_BOOL connected = VARIANT_TRUE;
    tolv::com::unique_bstr name(L"again");
    EXPECT_EQ(m_plugIn->OnConnection(m_hostUnknown.get(), 2, name.get(), &connected), E_FAIL);
    EXPECT_EQ(connected, VARIANT_FALSE);
    EXPECT_EQ(m_host->cookie, 1);
    EXPECT_EQ(Enable(first.get(), L"Tamlo"), VARIANT_TRUE);
}

TEST_F(HostConnectionTest, AHostThatRefusesTheCommandsLeavesThePlugInUnconnectedWithoutFailing)
{
    m_host->refuseCommands = E_ACCESSDENIED;
    EXPECT_EQ(Connect(7), VARIANT_FALSE);

    // Not connected, so a real connection may follow.
    m_host->refuseCommands = S_OK;
    EXPECT_EQ(Connect(8), VARIANT_TRUE);
}

TEST_F(HostConnectionTest, DisconnectionDropsThePageSoTheButtonStaysOffAndTheHostMayClose)
{
    ASSERT_EQ(Connect(3), VARIANT_TRUE);
    com_ptr<IHostCommands> commands = m_host->commands;
    EXPECT_EQ(m_plugIn->OnDisconnection(), S_OK);

    EXPECT_EQ(Enable(commands.get(), L"Tamlo"), VARIANT_FALSE);
    VARIANT_BOOL canClose = VARIANT_FALSE;
    EXPECT_EQ(commands->CanCloseWindow(&canClose), S_OK);
    EXPECT_EQ(canClose, VARIANT_TRUE);
    com_ptr<IHostPageCollector> collector;
    ASSERT_HRESULT_SUCCEEDED(m_hostUnknown->QueryInterface(IID_PPV_ARGS(collector.put())));
    EXPECT_EQ(commands->CollectPropertyPages(collector.get()), E_FAIL);
}

TEST_F(HostConnectionTest, NullOutParametersAreRefusedWithoutSideEffectsAndGetTitleLeavesTheTitle)
{
    EXPECT_EQ(m_plugIn->OnConnection(m_hostUnknown.get(), 1, nullptr, nullptr), E_POINTER);
    ASSERT_EQ(Connect(1), VARIANT_TRUE);
    IHostCommands* commands = m_host->commands.get();
    EXPECT_EQ(commands->CanCloseWindow(nullptr), E_POINTER);
    EXPECT_EQ(commands->GetToolTip(nullptr), E_POINTER);
    EXPECT_EQ(commands->EnableToolButton(nullptr, 0, 0, nullptr), E_POINTER);
    EXPECT_EQ(commands->GetTitle(nullptr), E_POINTER);
    EXPECT_EQ(commands->ShowHelp(), E_NOTIMPL);

    BSTR title = reinterpret_cast<BSTR>(0x1234);
    EXPECT_EQ(commands->GetTitle(&title), S_FALSE);
    EXPECT_EQ(title, reinterpret_cast<BSTR>(0x1234));
}

}  // namespace
