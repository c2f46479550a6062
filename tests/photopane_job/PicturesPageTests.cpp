// The photo page in a window of this process, against Kivlink and the simulated phone: what its
// refresh shows with and without the phone, the stored choices on its radio buttons, Apply,
// and a screenshot of it on the test display.
#include "PhotoJobTestSupport.h"

#include "com/ComInit.h"
#include "com/ComObject.h"
#include "plugins/photopane/PicturesPropertyPage.h"
#include "plugins/photopane/res/PhoneFolderChooserIds.h"
#include "plugins/photopane/res/PhotopaneResources.h"
#include "tests/TestTree.h"
#include "tests/kivlink_phone/ConnectedPhoneTest.h"
#include "tests/kivlink_volume2/VolumeFixture.h"
#include "tests/pagebase/PageTestHelpers.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ScreenImage.h"
#include "tests/support/TestThread.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using tolv::com::com_ptr;
using tolv::com::ComObject;
using namespace tolv::photopane;

namespace {

constexpr wchar_t kLoginName[] = L"tester";
constexpr DWORD kRefreshWaitMs = 60000;
constexpr int kTextLength = 512;
constexpr int kChosen = 1;
constexpr wchar_t kPhoneChooserTitle[] = L"Photos - directory for mobile";
constexpr wchar_t kCardLabel[] = L"MultiMediaCard (E:)";
constexpr DWORD kChooserWaitMs = 30000;
constexpr DWORD kPollMs = 50;
constexpr int kHostLeft = 20;
constexpr int kHostTop = 20;
constexpr int kHostWidth = 920;
constexpr int kHostHeight = 600;

std::wstring ControlText(HWND dialog, int id)
{
    wchar_t text[kTextLength] = {};
    GetDlgItemTextW(dialog, id, text, kTextLength);
    return text;
}

HWND WaitForPhoneChooser()
{
    const DWORD start = GetTickCount();
    HWND chooser = nullptr;
    while (!(chooser = FindWindowW(L"#32770", kPhoneChooserTitle)) && GetTickCount() - start < kChooserWaitMs)
        Sleep(kPollMs);
    return chooser;
}

// The root item of the chooser's tree with `label`.
HTREEITEM RootItem(HWND tree, const wchar_t* label)
{
    for (HTREEITEM item = TreeView_GetRoot(tree); item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        wchar_t text[MAX_PATH] = {};
        TVITEMW data{};
        data.mask = TVIF_TEXT;
        data.hItem = item;
        data.pszText = text;
        data.cchTextMax = MAX_PATH;
        if (TreeView_GetItem(tree, &data) && std::wstring(text) == label)
            return item;
    }
    return nullptr;
}

class PicturesPageTest : public ConnectedPhoneTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_com.succeeded());
        m_folder = TestFolder();
        ASSERT_EQ(ComObject<CPicturesPropertyPage>::Create(m_page, TestTexts(), Store(), nullptr, TestResources()),
                  S_OK);
        ASSERT_EQ(ComObject<CRecordingSite>::Create(m_site), S_OK);
        ASSERT_EQ(m_page->SetPageSite(m_site.get()), S_OK);
        m_host = MakeHostWindow();
        ASSERT_TRUE(m_host);
    }
    void TearDown() override
    {
        if (m_page) {
            m_page->OnDisconnection();
            if (m_page->Window() != nullptr)
                m_page->Deactivate();
            m_page->SetPageSite(nullptr);
        }
        m_page = nullptr;
        m_host.reset();
        RemoveTestTree(m_folder);
    }

    CPhotoSettingsStore Store() const { return CPhotoSettingsStore(m_folder + L"\\Photopane.INI", kLoginName); }

    // The page on the host window, refreshed once on this thread as the registered message does.
    HWND ActivateAndRefresh()
    {
        // Room for the whole page, for the screenshot.
        MoveWindow(m_host.get(), kHostLeft, kHostTop, kHostWidth, kHostHeight, TRUE);
        const RECT area{0, 0, kHostWidth, kHostHeight};
        EXPECT_EQ(m_page->Activate(m_host.get(), &area, FALSE), S_OK);
        const HWND window = m_page->Window();
        EXPECT_NE(window, nullptr);
        m_page->Show(SW_SHOW);
        DWORD_PTR answer = 0;
        EXPECT_NE(SendMessageTimeoutW(window, RegisterWindowMessageW(kUpdatePicturesPageMessage), 0, 0, SMTO_NORMAL,
                                      kRefreshWaitMs, &answer),
                  0);
        return window;
    }

    tolv::com::com_init m_com{COINIT_APARTMENTTHREADED};
    std::wstring m_folder;
    com_ptr<ComObject<CPicturesPropertyPage>> m_page;
    com_ptr<ComObject<CRecordingSite>> m_site;
    tolv::ui::unique_window m_host;
};

}  // namespace

TEST_F(PicturesPageTest, WithThePhoneTheCardsImagesFolderIsShownAndTheButtonsWork)
{
    PhotoSettings stored;
    stored.pcFolder = m_folder;
    stored.pcOverwrite = kChosen;
    ASSERT_TRUE(Store().Write(stored));
    m_page->SetFrameworkConnected(true);

    const HWND window = ActivateAndRefresh();

    EXPECT_EQ(ControlText(window, PHOTOPANE_IDC_PC_FOLDER), m_folder);
    EXPECT_EQ(ControlText(window, PHOTOPANE_IDC_PHONE_FOLDER), L"E:\\Images");
    EXPECT_EQ(ControlText(window, PHOTOPANE_IDC_DOWNLOAD_START), L"Download START");
    EXPECT_EQ(ControlText(window, PHOTOPANE_IDC_PC_GROUP), L"Your PC");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, PHOTOPANE_IDC_DOWNLOAD_START)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, PHOTOPANE_IDC_CHOOSE_PHONE_FOLDER)));
    EXPECT_EQ(IsDlgButtonChecked(window, PHOTOPANE_IDC_DO_NOT_OVERWRITE), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(window, PHOTOPANE_IDC_LEAVE_ORIGINALS), BST_CHECKED);
    EXPECT_EQ(m_page->LastPhoneFolder(), L"E:\\Images");
    EXPECT_TRUE(SaveScreenImage(ArtefactPath(L"photopane-page.png")));

    PROPPAGEINFO info{};
    info.cb = sizeof(info);
    ASSERT_EQ(m_page->GetPageInfo(&info), S_OK);
    EXPECT_STREQ(info.pszTitle, L"Photos > PC");
    EXPECT_STREQ(info.pszHelpFile, kPicturesPageHelpFile);
    CoTaskMemFree(info.pszTitle);
    CoTaskMemFree(info.pszDocString);
    CoTaskMemFree(info.pszHelpFile);
}

TEST_F(PicturesPageTest, ChoicesMarkThePageModifiedAndApplyStoresThemWithTheShownPhoneFolder)
{
    PhotoSettings stored;
    stored.pcFolder = m_folder;
    ASSERT_TRUE(Store().Write(stored));
    m_page->SetFrameworkConnected(true);
    const HWND window = ActivateAndRefresh();
    ASSERT_EQ(m_page->IsPageDirty(), S_FALSE);

    SendDlgItemMessageW(window, PHOTOPANE_IDC_DO_NOT_OVERWRITE, BM_CLICK, 0, 0);
    SendDlgItemMessageW(window, PHOTOPANE_IDC_DELETE_ORIGINALS, BM_CLICK, 0, 0);
    EXPECT_EQ(m_page->IsPageDirty(), S_OK);
    ASSERT_EQ(m_page->Apply(), S_OK);
    EXPECT_EQ(m_page->IsPageDirty(), S_FALSE);

    const PhotoSettings read = Store().Read();
    EXPECT_EQ(read.pcOverwrite, kChosen);
    EXPECT_EQ(read.keepOnDevice, kChosen);
    EXPECT_EQ(read.pcFolder, m_folder);
    // The default the refresh chose is what Apply stores.
    EXPECT_EQ(read.phoneFolder, L"E:\\Images");
}

TEST_F(PicturesPageTest, WhileTheHostReportsNoPhoneTheButtonsStayOffAndTheDriveIsNotShown)
{
    PhotoSettings stored;
    stored.pcFolder = m_folder;
    stored.phoneFolder = L"E:\\Trip";
    ASSERT_TRUE(Store().Write(stored));

    const HWND window = ActivateAndRefresh();

    EXPECT_EQ(ControlText(window, PHOTOPANE_IDC_PHONE_FOLDER), L"\\Trip");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, PHOTOPANE_IDC_DOWNLOAD_START)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, PHOTOPANE_IDC_CHOOSE_PHONE_FOLDER)));
    EXPECT_FALSE(m_page->Connected());
    // Apply keeps the stored folder whole.
    ASSERT_EQ(m_page->Apply(), S_OK);
    EXPECT_EQ(Store().Read().phoneFolder, L"E:\\Trip");
}

TEST_F(PicturesPageTest, AnotherPhoneFolderFromTheChooserIsShownMarksThePageAndIsStored)
{
    // The chooser opens at the page's folder, which the card has.
    CreateDirectoryW(BackingPath(L"E:\\Images").c_str(), nullptr);
    ASSERT_NE(GetFileAttributesW(BackingPath(L"E:\\Images").c_str()), INVALID_FILE_ATTRIBUTES);
    PhotoSettings stored;
    stored.pcFolder = m_folder;
    ASSERT_TRUE(Store().Write(stored));
    m_page->SetFrameworkConnected(true);
    const HWND window = ActivateAndRefresh();
    ASSERT_EQ(ControlText(window, PHOTOPANE_IDC_PHONE_FOLDER), L"E:\\Images");

    // The chooser is modal on this thread; another one picks the card's root in it.
    bool chooserShown = false;
    TestThread user([&] {
        const HWND chooser = WaitForPhoneChooser();
        chooserShown = chooser != nullptr;
        if (!chooser)
            return;
        const HWND tree = GetDlgItem(chooser, PHOTOPANE_IDC_PHONE_FOLDER_TREE);
        // Once the chooser stands at the page's folder, below the card, the card itself is chosen.
        HTREEITEM card = nullptr;
        const auto opened = [&] {
            card = RootItem(tree, kCardLabel);
            const HTREEITEM selected = TreeView_GetSelection(tree);
            return card != nullptr && selected != nullptr && TreeView_GetParent(tree, selected) == card;
        };
        const DWORD start = GetTickCount();
        while (!opened() && GetTickCount() - start < kChooserWaitMs)
            Sleep(kPollMs);
        TreeView_SelectItem(tree, card);
        PostMessageW(chooser, WM_COMMAND, IDOK, 0);
    });
    SendDlgItemMessageW(window, PHOTOPANE_IDC_CHOOSE_PHONE_FOLDER, BM_CLICK, 0, 0);
    user.Join();

    ASSERT_TRUE(chooserShown);
    EXPECT_EQ(ControlText(window, PHOTOPANE_IDC_PHONE_FOLDER), L"E:");
    EXPECT_EQ(m_page->IsPageDirty(), S_OK);
    ASSERT_EQ(m_page->Apply(), S_OK);
    EXPECT_EQ(Store().Read().phoneFolder, L"E:");
}
