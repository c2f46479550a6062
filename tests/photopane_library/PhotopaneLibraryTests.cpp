// Photopane.dll as the host and the scheduler meet it: its keys after regsvr32 and regsvr32 /u,
// the connection with a host of the test's own, the answers that differ from Tunepane's (no
// title, the close question's box) and the task adapter's run without host or phone.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>

#include "com/ComInit.h"
#include "com/UniqueBstr.h"
#include "PhotopaneLib.h"
#include "tests/kivlink_phone/PhoneSimulator.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/tunepane_library/FakeHost.h"

namespace {

using tolv::com::com_ptr;

constexpr wchar_t kPlugInKey[] = L"Software\\Vostrel\\Pellary\\PlugIns\\Photopane";
constexpr wchar_t kSchedulerKey[] = L"Software\\Vostrel\\Pellary\\SchedulerPlugIns\\Photopane";
constexpr wchar_t kPlugInClass[] = L"{73F7A4A5-7F2D-4C29-BC48-B212AB676D0C}";
constexpr wchar_t kCommandsClass[] = L"{5E47A263-394E-41A0-804C-6327F3705D32}";
constexpr wchar_t kAdapterClass[] = L"{173369CE-A46C-4F33-A3F7-F3FA5EC05FA6}";
constexpr wchar_t kCaption[] = L"Copy photos to PC";
constexpr DWORD kBoxWaitMs = 30000;

std::optional<std::wstring> ReadString(HKEY root, const std::wstring& key, const wchar_t* name)
{
    wchar_t value[1024] = {};
    DWORD size = sizeof(value);
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(value);
}

long Regsvr32(const wchar_t* options)
{
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    return RunAndWait(std::wstring(system) + L"\\regsvr32.exe",
                      std::wstring(options) + L" \"" + BinaryPath(L"Photopane.dll") + L"\"");
}

TEST(PhotopaneRegistrationTest, RegistrationListsThePlugInForHostAndSchedulerAndUnregistrationTakesItsOwnAway)
{
    ASSERT_EQ(Regsvr32(L"/s"), 0);
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kPlugInKey, L"CLSID"), kPlugInClass);
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kPlugInKey, L"Description"), L"Pictures Settings");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kSchedulerKey, L"CLSIDScheduler"), kAdapterClass);
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kSchedulerKey, L"Description"), L"Pictures");
    for (const wchar_t* clsid : {kPlugInClass, kCommandsClass, kAdapterClass}) {
        const std::wstring server = std::wstring(L"CLSID\\") + clsid + L"\\InprocServer32";
        EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, server, L"ThreadingModel"), L"both") << clsid;
        EXPECT_NE(ReadString(HKEY_CLASSES_ROOT, server, nullptr).value_or(L"").find(L"Photopane.dll"),
                  std::wstring::npos);
    }

    ASSERT_EQ(Regsvr32(L"/s /u"), 0);
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kPlugInKey, L"CLSID"), std::nullopt);
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kSchedulerKey, L"CLSIDScheduler"), std::nullopt);
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + kPlugInClass, nullptr), std::nullopt);
    // The other tests need it.
    EXPECT_EQ(Regsvr32(L"/s"), 0);
}

class PhotopaneHostTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(tolv::com::ComObject<CFakeHost>::Create(m_host));
        ASSERT_HRESULT_SUCCEEDED(m_host->QueryInterface(IID_PPV_ARGS(m_hostUnknown.put())));
        ASSERT_HRESULT_SUCCEEDED(
            CoCreateInstance(CLSID_PhotopanePlugIn, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(m_plugIn.put())));
        VARIANT_BOOL connected = VARIANT_FALSE;
        tolv::com::unique_bstr name(L"Pictures Settings");
        ASSERT_HRESULT_SUCCEEDED(m_plugIn->OnConnection(m_hostUnknown.get(), 5, name.get(), &connected));
        ASSERT_EQ(connected, VARIANT_TRUE);
        ASSERT_TRUE(m_host->commands);
    }
    void TearDown() override
    {
        if (m_plugIn)
            m_plugIn->OnDisconnection();
    }

    tolv::com::com_init m_com{COINIT_APARTMENTTHREADED};
    com_ptr<IUnknown> m_hostUnknown;
    com_ptr<tolv::com::ComObject<CFakeHost>> m_host;
    com_ptr<IHostPlugIn> m_plugIn;
};

TEST_F(PhotopaneHostTest, TheHostGetsThePhotoPageAndToolTipButNoTitle)
{
    com_ptr<IHostPageCollector> collector;
    ASSERT_HRESULT_SUCCEEDED(m_hostUnknown->QueryInterface(IID_PPV_ARGS(collector.put())));
    EXPECT_EQ(m_host->commands->CollectPropertyPages(collector.get()), S_OK);
    ASSERT_EQ(m_host->pages.size(), 1u);
    PROPPAGEINFO info{};
    info.cb = sizeof(info);
    ASSERT_HRESULT_SUCCEEDED(m_host->pages[0]->GetPageInfo(&info));
    EXPECT_STREQ(info.pszTitle, L"Photos > PC");
    EXPECT_STREQ(info.pszDocString, L"Pictures Settings");
    EXPECT_STREQ(info.pszHelpFile,
                 L"ms-its:HelpFile_PLR_Photos_to_PC.chm::/HelpFile_PLR_Photos_to_PC/Photos_to_PC.htm");
    CoTaskMemFree(info.pszTitle);
    CoTaskMemFree(info.pszDocString);
    CoTaskMemFree(info.pszHelpFile);

    tolv::com::unique_bstr tip;
    EXPECT_EQ(m_host->commands->GetToolTip(tip.put()), S_OK);
    EXPECT_STREQ(tip.get(), L"Photos > PC");
    BSTR title = reinterpret_cast<BSTR>(0x1234);
    EXPECT_EQ(m_host->commands->GetTitle(&title), E_NOTIMPL);
    EXPECT_EQ(title, reinterpret_cast<BSTR>(0x1234));
}

TEST_F(PhotopaneHostTest, WhileAToolButtonJobRunsTheHostMayNotCloseAndIsToldSo)
{
    ASSERT_TRUE(EndPhoneSim());
    VARIANT_BOOL enable = VARIANT_FALSE;
    tolv::com::unique_bstr model(L"Tamlo");
    ASSERT_EQ(m_host->commands->EnableToolButton(model.get(), 0, 0, &enable), S_OK);
    ASSERT_EQ(enable, VARIANT_TRUE);

    // Without a phone the job stops at its message box, and runs until it is answered.
    ASSERT_EQ(m_host->commands->Show(0, 0), S_OK);
    HWND jobBox = nullptr;
    for (int attempt = 0; attempt < 600 && !(jobBox = FindWindowW(L"#32770", kCaption)); ++attempt)
        Sleep(50);
    ASSERT_NE(jobBox, nullptr);
    VARIANT_BOOL canClose = VARIANT_TRUE;
    EXPECT_EQ(m_host->commands->CanCloseWindow(&canClose), S_OK);
    EXPECT_EQ(canClose, VARIANT_FALSE);

    CMessageBoxWatcher boxes(kCaption);
    ASSERT_TRUE(boxes.WaitForBoxes(2, kBoxWaitMs));
    const std::vector<std::wstring> texts = boxes.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"Process not locked.\nThe application can not be closed."),
              texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"The phone line was disconnected"), texts.end());
}

TEST(PhotopaneTaskAdapterTest, ARunWithoutHostOrPhoneFailsAndTheAdapterNamesItselfPhotos)
{
    tolv::com::com_init com(COINIT_APARTMENTTHREADED);
    com_ptr<ITolvTaskScheduler> adapter;
    ASSERT_HRESULT_SUCCEEDED(
        CoCreateInstance(CLSID_PicturesPlugInToScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(adapter.put())));
    tolv::com::unique_bstr name;
    EXPECT_EQ(adapter->GetName(name.put()), S_OK);
    EXPECT_STREQ(name.get(), L"Photos");

    ASSERT_TRUE(EndPhoneSim());
    CMessageBoxWatcher boxes(kCaption);
    long result = -1;
    EXPECT_EQ(adapter->RunTask(&result), S_OK);
    EXPECT_EQ(result, 2);
    ASSERT_TRUE(boxes.WaitForBoxes(1, kBoxWaitMs));
    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{L"The phone line was disconnected"});
}

}  // namespace
