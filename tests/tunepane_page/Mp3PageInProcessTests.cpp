// The MP3 page in this process, in a window of the test, with its resources from
// mp3pagetest.dll, a proxy that never finds a phone and a fake upload job: the selection's
// editing, Apply and Load, and the disconnection's wait for a running refresh.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>

#include <windows.h>
#include <commctrl.h>

#include "com/ComInit.h"
#include "com/ComObject.h"
#include "plugins/tunepane/Mp3ProfileLocation.h"
#include "plugins/tunepane/Mp3PropertyPage.h"
#include "plugins/tunepane/res/TunepaneResources.h"
#include "plugins/tunepane/res/TunepaneStrings.h"
#include "resources/ModuleResource.h"
#include "resources/ResourceOwners.h"
#include "tests/pagebase/PageTestHelpers.h"
#include "tests/support/ChildProcess.h"
#include "tests/tunepane_page/Mp3PageTestSupport.h"

using tolv::com::com_ptr;
using tolv::com::ComObject;
using namespace tolv::tunepane;

namespace {

constexpr wchar_t kPhonePath[] = L"\\Mp3";

// A page whose refresh finds no phone: its proxy creation only counts and, when asked, takes
// its time.
class CNoPhonePage : public CMp3PropertyPage {
public:
    using CMp3PropertyPage::CMp3PropertyPage;

    std::atomic<int> creations{0};
    std::atomic<bool> creating{false};
    std::atomic<bool> created{false};
    std::atomic<int> active{0};
    std::atomic<int> mostActive{0};
    DWORD creationMs = 0;

protected:
    HRESULT CreateVolume(com_ptr<IKivVolume2>& volume) override
    {
        ++creations;
        creating = true;
        const int now = ++active;
        if (now > mostActive) {
            mostActive = now;
        }
        Sleep(creationMs);
        --active;
        volume.reset();
        created = true;
        return S_OK;
    }
};

class FakeUpload : public IMp3Upload {
public:
    Mp3JobResult StartScheduler(bool) override { return kJobDoneOrNothingToDo; }
    bool StartDownload() override
    {
        ++downloads;
        return true;
    }
    bool Running() const override { return running; }

    int downloads = 0;
    bool running = false;
};

int ItemCount(HWND list)
{
    return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

std::wstring ItemText(HWND list, int item, int column)
{
    wchar_t text[512] = {};
    LVITEMW request{};
    request.iSubItem = column;
    request.pszText = text;
    request.cchTextMax = static_cast<int>(std::size(text));
    SendMessageW(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&request));
    return text;
}

void SelectItem(HWND list, int item)
{
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
}

class Mp3PageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_com.succeeded());
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&controls));
        m_resources.reset(LoadLibraryW(BinaryPath(L"mp3pagetest.dll").c_str()));
        ASSERT_TRUE(m_resources);
        m_texts = std::make_unique<CModuleResource>(m_resources.get());
        ASSERT_EQ(ComObject<CNoPhonePage>::Create(m_page, *m_texts, Store(), nullptr, m_resources.get()), S_OK);
        ASSERT_EQ(ComObject<CRecordingSite>::Create(m_site), S_OK);
        ASSERT_EQ(m_page->SetPageSite(m_site.get()), S_OK);
        auto upload = std::make_unique<FakeUpload>();
        m_upload = upload.get();
        m_page->AttachUpload(std::move(upload));
        m_host = MakeHostWindow();
        ASSERT_TRUE(m_host);
    }
    void TearDown() override
    {
        if (m_page) {
            m_page->OnDisconnection();
            if (m_page->Window() != nullptr) {
                m_page->Deactivate();
            }
            m_page->SetPageSite(nullptr);
        }
        m_page = nullptr;
        m_host.reset();
    }

    CMp3SettingsStore Store() const
    {
        return CMp3SettingsStore(m_profile.Path(), L"tester", kPhonePath, DocumentsFolder());
    }
    void Activate()
    {
        const RECT area{0, 0, 700, 450};
        ASSERT_EQ(m_page->Activate(m_host.get(), &area, FALSE), S_OK);
        ASSERT_NE(m_page->Window(), nullptr);
    }
    // The refresh that activation started has shown the phone side.
    bool RefreshShown() const { return !WindowText(Control(TUNEPANE_IDC_CAPACITY_TEXT)).empty(); }
    HWND Control(int id) const { return m_page->Control(id); }
    HWND List() const { return Control(TUNEPANE_IDC_MP3_LIST); }
    void Click(int id) const
    {
        SendMessageW(m_page->Window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id)));
    }

    tolv::com::com_init m_com{COINIT_APARTMENTTHREADED};
    TestProfile m_profile{L"Mp3PageInProcess"};
    tolv::resources::unique_module m_resources;
    std::unique_ptr<CModuleResource> m_texts;
    com_ptr<ComObject<CNoPhonePage>> m_page;
    com_ptr<ComObject<CRecordingSite>> m_site;
    FakeUpload* m_upload = nullptr;
    tolv::ui::unique_window m_host;
};

}  // namespace

TEST_F(Mp3PageTest, AFirstStartShowsTheDocumentsFolderAndTheSameFileInAnotherCaseIsRefused)
{
    RecordedBoxes boxes;
    Activate();
    ASSERT_TRUE(PumpUntil([&] { return RefreshShown(); }));
    ASSERT_EQ(ItemCount(List()), 1);
    EXPECT_EQ(ItemText(List(), 0, 0), DocumentsFolder());
    EXPECT_EQ(ItemText(List(), 0, 1), L"*.mp3");
    EXPECT_FALSE(m_page->IsDirty());

    EXPECT_TRUE(m_page->InsertDat({L"C:\\Music\\Live", L"Song.mp3"}));
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_FALSE(m_page->InsertDat({L"c:\\music\\LIVE", L"SONG.MP3"}));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, L"Your selection is already in the list");
    EXPECT_EQ(boxes.Boxes()[0].caption, L"Mp3 Directory");
    ASSERT_EQ(ItemCount(List()), 2);
    EXPECT_EQ(ItemText(List(), 1, 1), L"Song.mp3");
    EXPECT_TRUE(m_page->IsDirty());
    ASSERT_FALSE(m_site->changes.empty());
    EXPECT_EQ(m_site->changes.back(), static_cast<DWORD>(PROPPAGESTATUS_DIRTY));

    // Delete takes every selected row, from the list and from what Apply stores.
    SelectItem(List(), 0);
    SelectItem(List(), 1);
    SendMessageW(m_page->Window(), WM_COMMAND, MAKEWPARAM(TUNEPANE_IDS_MENU_DELETE, 0), 0);
    EXPECT_EQ(ItemCount(List()), 0);
    EXPECT_TRUE(m_page->Rows().empty());
}

TEST_F(Mp3PageTest, ApplyStoresWhatThePageShowsAndLoadAppliesBeforeItStartsTheJob)
{
    Activate();
    ASSERT_TRUE(PumpUntil([&] { return RefreshShown(); }));
    EXPECT_EQ(WindowText(Control(TUNEPANE_IDC_CAPACITY_TEXT)), L"Card capacity:  0 KB");
    EXPECT_EQ(WindowText(Control(TUNEPANE_IDC_PHONE_PATH)), kPhonePath);
    EXPECT_EQ(WindowText(Control(TUNEPANE_IDC_FREE_TEXT)), L"Remaining free memory:  10 %");
    EXPECT_FALSE(IsWindowEnabled(Control(TUNEPANE_IDC_LOAD_BUTTON)));

    // The slider at its shown value changes nothing; another value marks the page modified.
    HWND slider = Control(TUNEPANE_IDC_FREE_SLIDER);
    SendMessageW(m_page->Window(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(slider));
    EXPECT_FALSE(m_page->IsDirty());
    SendMessageW(slider, TBM_SETPOS, TRUE, 40);
    SendMessageW(m_page->Window(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 40), reinterpret_cast<LPARAM>(slider));
    EXPECT_EQ(WindowText(Control(TUNEPANE_IDC_FREE_TEXT)), L"Remaining free memory:  40 %");
    EXPECT_TRUE(m_page->IsDirty());
    SendMessageW(Control(TUNEPANE_IDC_DELETE_ALL), BM_CLICK, 0, 0);
    ASSERT_TRUE(m_page->InsertDat({L"D:\\Mixes", L"*.mp3"}));

    ASSERT_EQ(m_page->Apply(), S_OK);
    EXPECT_FALSE(m_page->IsDirty());
    EXPECT_EQ(m_profile.Value(L"tester_Tunepane", L"MemoryToFill"), L"40");
    EXPECT_EQ(m_profile.Value(L"tester_Tunepane", L"DeleteAllForCopy"), L"0");
    EXPECT_EQ(m_profile.Value(L"tester_Tunepane", L"RandomSelektionOnCopy"), L"0");
    EXPECT_EQ(m_profile.Value(L"tester_Tunepane", L"PhonePath"), kPhonePath);
    EXPECT_EQ(m_profile.Value(L"tester_Mp3DataCount", L"Count"), L"2");
    EXPECT_EQ(m_profile.Value(L"tester_Mp3Path", L"2"), L"D:\\Mixes");

    // Load stores the settings first: a job reads them again from the profile.
    SendMessageW(slider, TBM_SETPOS, TRUE, 60);
    SendMessageW(m_page->Window(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 60), reinterpret_cast<LPARAM>(slider));
    Click(TUNEPANE_IDC_LOAD_BUTTON);
    EXPECT_EQ(m_upload->downloads, 1);
    EXPECT_EQ(m_profile.Value(L"tester_Tunepane", L"MemoryToFill"), L"60");
    EXPECT_EQ(m_page->ReadSettings().memoryToFill, 60);
    EXPECT_FALSE(m_page->IsDirty());

    // Not while a job runs, nor once the host has disconnected.
    m_upload->running = true;
    EXPECT_TRUE(m_page->JobRunning());
    Click(TUNEPANE_IDC_LOAD_BUTTON);
    m_upload->running = false;
    m_page->OnDisconnection();
    Click(TUNEPANE_IDC_LOAD_BUTTON);
    EXPECT_EQ(m_upload->downloads, 1);
}

TEST_F(Mp3PageTest, DisconnectionWaitsForTheRunningRefreshAndNoRefreshStartsAfterIt)
{
    constexpr DWORD kSlowCreationMs = 800;
    m_page->creationMs = kSlowCreationMs;
    Activate();
    ASSERT_TRUE(PumpUntil([&] { return m_page->creating.load(); }));

    const DWORD start = GetTickCount();
    m_page->OnDisconnection();
    const DWORD waited = GetTickCount() - start;
    EXPECT_TRUE(m_page->created);
    EXPECT_LT(waited, 5000u);
    EXPECT_TRUE(m_page->Disconnected());
    // The refresh skipped its remaining steps: the settings never reached the list.
    EXPECT_EQ(ItemCount(List()), 0);
    // The controls it locked are the user's again.
    EXPECT_TRUE(IsWindowEnabled(List()));

    m_page->StartPageUpdata();
    SendMessageW(m_page->Window(), RegisterWindowMessageW(kUpdateMp3PageMessage), 0, 0);
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(m_page->creations, 1);
}

TEST_F(Mp3PageTest, RefreshesRunOneAtATimeAndTheUpdateMessageRunsItsOwnAtOnce)
{
    constexpr DWORD kSlowCreationMs = 200;
    m_page->creationMs = kSlowCreationMs;
    Activate();
    m_page->StartPageUpdata();
    m_page->StartPageUpdata();
    // Synchronous: its own refresh has run, in turn with the workers, when it returns.
    const int before = m_page->creations;
    SendMessageW(m_page->Window(), RegisterWindowMessageW(kUpdateMp3PageMessage), 0, 0);
    EXPECT_GT(m_page->creations, before);
    ASSERT_TRUE(PumpUntil([&] { return m_page->creations == 4 && m_page->active == 0; }));
    EXPECT_EQ(m_page->mostActive, 1);
    PumpUntil([&] { return IsWindowEnabled(Control(TUNEPANE_IDC_ADD_MP3)) != FALSE; });
    EXPECT_EQ(ItemCount(List()), 1);
}
