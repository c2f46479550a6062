// The MP3 page in this process, in a window of the test, with its resources from
// mp3pagetest.dll, a proxy that never finds a phone and a fake upload job: the selection's
// editing, Apply and Load, and the disconnection's wait for a running refresh.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include "com/ComInit.h"
#include "com/ComObject.h"
#include "plugins/common/FolderChooser.h"
#include "plugins/tunepane/Mp3ProfileLocation.h"
#include "plugins/tunepane/Mp3PropertyPage.h"
#include "plugins/tunepane/TunepaneStringIds.h"
#include "plugins/tunepane/res/TunepaneResources.h"
#include "plugins/tunepane/res/TunepaneStrings.h"
#include "resources/ModuleResource.h"
#include "resources/ResourceOwners.h"
#include "tests/pagebase/PageTestHelpers.h"
#include "tests/TestTree.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TestThread.h"
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

// A folder of files for the open-file dialog, made the current directory (where the dialog
// starts) while it lives.
class DialogFolder {
public:
    DialogFolder()
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        m_path = std::wstring(temp) + L"Mp3PageFiles" + std::to_wstring(GetCurrentProcessId());
        RemoveTestTree(m_path);
        CreateDirectoryW(m_path.c_str(), nullptr);
        GetCurrentDirectoryW(MAX_PATH, m_before);
        SetCurrentDirectoryW(m_path.c_str());
    }
    ~DialogFolder()
    {
        SetCurrentDirectoryW(m_before);
        RemoveTestTree(m_path);
    }
    DialogFolder(const DialogFolder&) = delete;
    DialogFolder& operator=(const DialogFolder&) = delete;

    const std::wstring& Path() const { return m_path; }
    void Add(const std::wstring& name) const
    {
        tolv::com::unique_handle file(CreateFileW((m_path + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    }

private:
    std::wstring m_path;
    wchar_t m_before[MAX_PATH] = {};
};

// Answers a modal dialog of the page from another thread, as a user typing `text` into one of
// its boxes and pressing OK: the open-file dialog's file name box, the folder chooser's edit
// box (once it shows the folder it started at, since it selects that one again until then).
class TypedAnswer {
public:
    TypedAnswer(const wchar_t* title, std::vector<int> boxIds, std::wstring text, bool afterStartText)
        : m_title(title),
          m_boxIds(std::move(boxIds)),
          m_text(std::move(text)),
          m_afterStartText(afterStartText),
          m_thread([this] { Answer(); })
    {
    }
    bool Answered() const { return m_answered; }

private:
    void Answer()
    {
        HWND dialog = WaitForWindow([&] { return FindWindowW(L"#32770", m_title.c_str()); });
        if (dialog == nullptr) {
            return;
        }
        HWND box = nullptr;
        for (const int id : m_boxIds) {
            box = box != nullptr ? box : FindDescendant(dialog, id);
        }
        if (m_afterStartText) {
            WaitUntil([&] { return !WindowText(box).empty(); });
        }
        SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_text.c_str()));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        m_answered = true;
    }

    std::wstring m_title;
    std::vector<int> m_boxIds;
    std::wstring m_text;
    bool m_afterStartText;
    std::atomic<bool> m_answered{false};
    TestThread m_thread;
};

// Reads the page's context menu once it is open, then closes it with Escape.
class MenuReading {
public:
    MenuReading() : m_thread([this] { Read(); }) {}
    bool Done() const { return m_done; }
    std::wstring items;  // "Delete+Change-": each item's text, "+" when enabled, "-" when grayed

private:
    void Read()
    {
        HWND menuWindow = WaitForWindow([] { return FindWindowW(L"#32768", nullptr); });
        const HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
        for (int index = 0; index < GetMenuItemCount(menu); ++index) {
            wchar_t text[64] = {};
            GetMenuStringW(menu, static_cast<UINT>(index), text, static_cast<int>(std::size(text)), MF_BYPOSITION);
            items += text;
            items += (GetMenuState(menu, static_cast<UINT>(index), MF_BYPOSITION) & MF_GRAYED) ? L"-" : L"+";
        }
        PostMessageW(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
        m_done = true;
    }

    std::atomic<bool> m_done{false};
    TestThread m_thread;
};

// Wine's dialog has its file name box as an edit, Windows' as a combo box.
TypedAnswer FileDialogAnswer(std::wstring names)
{
    return TypedAnswer(L"Choose Files", {cmb13, edt1}, std::move(names), false);
}

TypedAnswer FolderChooserAnswer(std::wstring folder)
{
    return TypedAnswer(L"Mp3 Directory", {tolv::plugins::kFolderChooserEditId}, std::move(folder), true);
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
    SendMessageW(m_page->Window(), WM_COMMAND, MAKEWPARAM(IDS_MENU_DELETE, 0), 0);
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

TEST_F(Mp3PageTest, AddMp3TakesTheChosenMp3FilesAndReportsOtherFilesOnce)
{
    RecordedBoxes boxes;
    DialogFolder folder;
    for (const wchar_t* name : {L"a.mp3", L"b.MP3", L"notes.txt", L"cover.jpg"}) {
        folder.Add(name);
    }
    Activate();
    ASSERT_TRUE(PumpUntil([&] { return RefreshShown(); }));

    TypedAnswer answer = FileDialogAnswer(L"\"a.mp3\" \"notes.txt\" \"b.MP3\" \"cover.jpg\"");
    PostMessageW(m_page->Window(), WM_COMMAND, MAKEWPARAM(TUNEPANE_IDC_ADD_MP3, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(TUNEPANE_IDC_ADD_MP3)));
    ASSERT_TRUE(PumpUntil([&] { return answer.Answered() && ItemCount(List()) == 3; }));

    const std::vector<Mp3Row> rows = m_page->Rows();
    ASSERT_EQ(rows.size(), 3u);
    std::vector<std::wstring> names{rows[1].name, rows[2].name};
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"a.mp3", L"b.MP3"}));
    EXPECT_EQ(
        CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, rows[1].directory.c_str(), -1, folder.Path().c_str(), -1),
        CSTR_EQUAL)
        << rows[1].directory;
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, L"Only the listed MP3 files will be added");
    EXPECT_EQ(boxes.Boxes()[0].caption, L"Mp3 Directory");
    EXPECT_TRUE(m_page->IsDirty());
}

TEST_F(Mp3PageTest, AddMp3RefusesMoreFilesThanItsNameBufferHoldsAndAddsNothing)
{
    constexpr int kManyFiles = 300;
    RecordedBoxes boxes;
    DialogFolder folder;
    std::wstring names;
    for (int index = 0; index < kManyFiles; ++index) {
        const std::wstring name = L"a rather long track title number " + std::to_wstring(index) + L".mp3";
        folder.Add(name);
        names += L"\"" + name + L"\" ";
    }
    Activate();
    ASSERT_TRUE(PumpUntil([&] { return RefreshShown(); }));

    TypedAnswer answer = FileDialogAnswer(names);
    PostMessageW(m_page->Window(), WM_COMMAND, MAKEWPARAM(TUNEPANE_IDC_ADD_MP3, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(TUNEPANE_IDC_ADD_MP3)));
    ASSERT_TRUE(PumpUntil([&] { return answer.Answered() && !boxes.Boxes().empty(); }));

    EXPECT_EQ(boxes.Boxes()[0].text, L"Too many selected files, please try again with less files.");
    EXPECT_EQ(boxes.Boxes()[0].caption, L"Your PC");
    EXPECT_EQ(ItemCount(List()), 1);
    EXPECT_FALSE(m_page->IsDirty());
}

TEST_F(Mp3PageTest, AddDirAddsAFolderRowAndRefusesTheDocumentsFolderSpelledInCapitals)
{
    RecordedBoxes boxes;
    DialogFolder folder;
    Activate();
    ASSERT_TRUE(PumpUntil([&] { return RefreshShown(); }));
    const auto addDirectory = [&] {
        PostMessageW(m_page->Window(), WM_COMMAND, MAKEWPARAM(TUNEPANE_IDC_ADD_DIRECTORY, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Control(TUNEPANE_IDC_ADD_DIRECTORY)));
    };

    {
        TypedAnswer answer = FolderChooserAnswer(folder.Path());
        addDirectory();
        ASSERT_TRUE(PumpUntil([&] { return answer.Answered() && ItemCount(List()) == 2; }));
    }
    EXPECT_EQ(ItemText(List(), 1, 0), folder.Path());
    EXPECT_EQ(ItemText(List(), 1, 1), L"*.mp3");
    LVITEMW image{};
    image.mask = LVIF_IMAGE;
    image.iItem = 1;
    ASSERT_TRUE(SendMessageW(List(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&image)));
    EXPECT_EQ(image.iImage, 0) << "the folder row's icon";
    EXPECT_TRUE(boxes.Boxes().empty());

    std::wstring documents = DocumentsFolder();
    CharUpperBuffW(documents.data(), static_cast<DWORD>(documents.size()));
    {
        TypedAnswer answer = FolderChooserAnswer(documents);
        addDirectory();
        ASSERT_TRUE(PumpUntil([&] { return answer.Answered() && !boxes.Boxes().empty(); }));
    }
    EXPECT_EQ(boxes.Boxes()[0].text, L"Your selection is already in the list");
    EXPECT_EQ(ItemCount(List()), 2);
}

TEST_F(Mp3PageTest, TheListMenuOffersChangeForOneRowOnlyAndChangeReplacesAFileRowInPlace)
{
    RecordedBoxes boxes;
    DialogFolder folder;
    folder.Add(L"new.mp3");
    Activate();
    ASSERT_TRUE(PumpUntil([&] { return RefreshShown(); }));
    ASSERT_TRUE(m_page->InsertDat({folder.Path(), L"old.mp3"}));
    ASSERT_TRUE(m_page->InsertDat({L"C:\\Music", L"last.mp3"}));

    static NMHDR rightClick{};
    rightClick.hwndFrom = List();
    rightClick.idFrom = TUNEPANE_IDC_MP3_LIST;
    rightClick.code = NM_RCLICK;
    const auto openMenu = [&](MenuReading& reading) {
        PostMessageW(m_page->Window(), WM_NOTIFY, TUNEPANE_IDC_MP3_LIST, reinterpret_cast<LPARAM>(&rightClick));
        return PumpUntil([&] { return reading.Done() && FindWindowW(L"#32768", nullptr) == nullptr; });
    };
    SelectItem(List(), 0);
    SelectItem(List(), 1);
    {
        MenuReading reading;
        ASSERT_TRUE(openMenu(reading));
        EXPECT_EQ(reading.items, L"Delete+Change-");
    }
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED;
    SendMessageW(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    SelectItem(List(), 1);
    {
        MenuReading reading;
        ASSERT_TRUE(openMenu(reading));
        EXPECT_EQ(reading.items, L"Delete+Change+");
    }

    {
        TypedAnswer answer = FileDialogAnswer(L"new.mp3");
        PostMessageW(m_page->Window(), WM_COMMAND, MAKEWPARAM(IDS_MENU_CHANGE, 0), 0);
        ASSERT_TRUE(PumpUntil([&] { return answer.Answered() && m_page->Rows().at(1).name == L"new.mp3"; }));
    }
    ASSERT_EQ(ItemCount(List()), 3);
    EXPECT_EQ(ItemText(List(), 1, 1), L"new.mp3");
    EXPECT_EQ(ItemText(List(), 2, 1), L"last.mp3");
    EXPECT_TRUE(boxes.Boxes().empty());
}
