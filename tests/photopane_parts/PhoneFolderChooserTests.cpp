// The phone-folder chooser on the test display, against Kivlink and the simulated phone through
// the phone proxy: it runs modally on the test's thread while a second thread finds its window
// and drives its tree with messages, as a user's clicks would.
#include "plugins/photopane/PhoneFolderChooser.h"
#include "plugins/photopane/PhotoProxy.h"
#include "plugins/photopane/res/PhoneFolderChooserIds.h"

#include "com/ComInit.h"
#include "resources/ModuleResource.h"
#include "tests/kivlink_phone/PhoneSimulator.h"
#include "tests/kivlink_volume2/VolumeFixture.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ScreenImage.h"
#include "tests/support/TestThread.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

using tolv::photopane::ChoosePhoneFolder;

namespace {

constexpr wchar_t kTitle[] = L"Photos - directory for mobile";
constexpr wchar_t kCardLabel[] = L"MultiMediaCard (E:)";
constexpr DWORD kWindowWaitMs = 30000;
constexpr DWORD kPollMs = 50;
constexpr DWORD kSettleMs = 500;
constexpr size_t kPhotoBytes = 1000;

using Labels = std::vector<std::wstring>;

HWND WaitForChooser()
{
    const DWORD start = GetTickCount();
    for (;;) {
        HWND chooser = FindWindowW(L"#32770", kTitle);
        if (chooser != nullptr)
            return chooser;
        if (GetTickCount() - start >= kWindowWaitMs)
            return nullptr;
        Sleep(kPollMs);
    }
}

std::wstring Label(HWND tree, HTREEITEM item)
{
    wchar_t text[MAX_PATH] = {};
    TVITEMW data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = MAX_PATH;
    return TreeView_GetItem(tree, &data) ? text : L"";
}

// The items directly below `parent` (null: the drives).
std::vector<HTREEITEM> Children(HWND tree, HTREEITEM parent)
{
    std::vector<HTREEITEM> items;
    HTREEITEM item = parent == nullptr ? TreeView_GetRoot(tree) : TreeView_GetChild(tree, parent);
    for (; item != nullptr; item = TreeView_GetNextSibling(tree, item))
        items.push_back(item);
    return items;
}

Labels ChildLabels(HWND tree, HTREEITEM parent)
{
    Labels labels;
    for (HTREEITEM item : Children(tree, parent))
        labels.push_back(Label(tree, item));
    return labels;
}

HTREEITEM Child(HWND tree, HTREEITEM parent, const std::wstring& label)
{
    for (HTREEITEM item : Children(tree, parent))
        if (Label(tree, item) == label)
            return item;
    return nullptr;
}

// Opens the item as a click on its button does; its folders are read from the phone then.
HTREEITEM Expand(HWND tree, HTREEITEM item)
{
    if (item != nullptr)
        TreeView_Expand(tree, item, TVE_EXPAND);
    return item;
}

bool IsExpanded(HWND tree, HTREEITEM item)
{
    return item != nullptr && (TreeView_GetItemState(tree, item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

bool OkEnabled(HWND chooser)
{
    return IsWindowEnabled(GetDlgItem(chooser, IDOK)) != FALSE;
}

// The button pressed; then Cancel if the chooser is still shown, so that a failing test does
// not hang. (An ended dialog is hidden at once but destroyed only when its loop has ended.)
void Close(HWND chooser, int button)
{
    SendMessageW(chooser, WM_COMMAND, button, 0);
    if (IsWindowVisible(chooser))
        SendMessageW(chooser, WM_COMMAND, IDCANCEL, 0);
}

// The selected item with the items above it: "C:|Nokia|Images".
std::wstring SelectedPath(HWND tree)
{
    HTREEITEM item = TreeView_GetSelection(tree);
    std::wstring path = Label(tree, item);
    for (HTREEITEM parent = TreeView_GetParent(tree, item); parent != nullptr;
         parent = TreeView_GetParent(tree, parent))
        path = Label(tree, parent) + L"|" + path;
    return path;
}

}  // namespace

class PhoneFolderChooserTest : public ::testing::Test {
public:
    static void SetUpTestSuite()
    {
        ASSERT_EQ(ConnectPhone(), 0);
        for (const wchar_t* photo :
             {L"E:\\Images\\one.jpg", L"E:\\Images\\Trip\\two.jpg", L"E:\\Images\\Zoo\\three.jpg",
              L"E:\\Music\\song.mp3", L"C:\\Nokia\\Images\\four.jpg"})
            ASSERT_TRUE(WriteTestFile(BackingPath(photo), kPhotoBytes));
    }
    static void TearDownTestSuite()
    {
        EXPECT_TRUE(EndPhoneSim(30000));
        WaitUntilGone(L"Kivlink.exe", 30000);
    }

protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_com.succeeded());
        ASSERT_EQ(tolv::photopane::CreatePhotoProxy(m_volume), S_OK);
        ASSERT_TRUE(m_volume);
    }

    // Runs the chooser on this thread while `user` drives its window from another; `shown`
    // tells whether the window came at all.
    bool Choose(const std::wstring& current, std::wstring& chosen, bool& shown,
                const std::function<void(HWND chooser, HWND tree)>& user)
    {
        std::atomic<bool> found{false};
        TestThread driver([&] {
            HWND chooser = WaitForChooser();
            if (chooser == nullptr)
                return;
            found = true;
            user(chooser, GetDlgItem(chooser, PHOTOPANE_IDC_PHONE_FOLDER_TREE));
        });
        const bool chose = ChoosePhoneFolder(nullptr, m_texts, m_volume.get(), current, chosen);
        driver.Join();
        shown = found;
        return chose;
    }

    tolv::com::com_init m_com{COINIT_APARTMENTTHREADED};
    tolv::com::com_ptr<IKivVolume2> m_volume;
    CModuleResource m_texts{GetModuleHandleW(nullptr)};
};

TEST_F(PhoneFolderChooserTest, TheCardIsOfferedByNameItsFoldersOpenOnDemandAndTheChosenOneIsAPhonePath)
{
    bool okOnSelection = false;
    bool captured = false;
    Labels drives;
    Labels cardBeforeOpening;
    Labels card;
    Labels images;
    Labels trip;
    std::wstring chosen;
    bool shown = false;
    EXPECT_TRUE(Choose(L"", chosen, shown, [&](HWND chooser, HWND tree) {
        drives = ChildLabels(tree, nullptr);
        HTREEITEM cardItem = Child(tree, nullptr, kCardLabel);
        cardBeforeOpening = ChildLabels(tree, cardItem);
        card = ChildLabels(tree, Expand(tree, cardItem));
        HTREEITEM imagesItem = Expand(tree, Child(tree, cardItem, L"Images"));
        images = ChildLabels(tree, imagesItem);
        HTREEITEM tripItem = Child(tree, imagesItem, L"Trip");
        trip = ChildLabels(tree, Expand(tree, tripItem));
        TreeView_SelectItem(tree, tripItem);
        okOnSelection = OkEnabled(chooser);
        RedrawWindow(chooser, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Sleep(kSettleMs);
        captured = SaveScreenImage(ArtefactPath(L"phone-folder-chooser.png"));
        Close(chooser, IDOK);
    }));
    ASSERT_TRUE(shown);
    EXPECT_EQ(drives, (Labels{L"C:", kCardLabel}));
    EXPECT_TRUE(cardBeforeOpening.empty());
    EXPECT_EQ(card, (Labels{L"Images", L"Music"}));
    // Photos are files: only the folders are offered.
    EXPECT_EQ(images, (Labels{L"Trip", L"Zoo"}));
    EXPECT_TRUE(trip.empty());
    EXPECT_TRUE(okOnSelection);
    EXPECT_TRUE(captured);
    EXPECT_EQ(chosen, L"E:\\Images\\Trip");
}

TEST_F(PhoneFolderChooserTest, ItOpensAtTheCurrentFolderAndCancelChoosesNothing)
{
    std::wstring selected;
    bool parentsOpen = false;
    bool okEnabled = false;
    std::wstring chosen = L"untouched";
    bool shown = false;
    // The stored folder in another letter case than the phone's.
    EXPECT_FALSE(Choose(L"c:\\nokia\\images", chosen, shown, [&](HWND chooser, HWND tree) {
        selected = SelectedPath(tree);
        HTREEITEM phoneMemory = Child(tree, nullptr, L"C:");
        parentsOpen = IsExpanded(tree, phoneMemory) && IsExpanded(tree, Child(tree, phoneMemory, L"Nokia"));
        okEnabled = OkEnabled(chooser);
        Close(chooser, IDCANCEL);
    }));
    ASSERT_TRUE(shown);
    EXPECT_EQ(selected, L"C:|Nokia|Images");
    EXPECT_TRUE(parentsOpen);
    EXPECT_TRUE(okEnabled);
    EXPECT_EQ(chosen, L"untouched");
}

TEST_F(PhoneFolderChooserTest, AFolderThePhoneNoLongerHasOpensAtItsParentAndADriveRootCanBeChosen)
{
    std::wstring selected;
    std::wstring chosen;
    bool shown = false;
    EXPECT_TRUE(Choose(L"E:\\Images\\Gone", chosen, shown, [&](HWND chooser, HWND tree) {
        selected = SelectedPath(tree);
        TreeView_SelectItem(tree, Child(tree, nullptr, kCardLabel));
        Close(chooser, IDOK);
    }));
    ASSERT_TRUE(shown);
    EXPECT_EQ(selected, std::wstring(kCardLabel) + L"|Images");
    EXPECT_EQ(chosen, L"E:");
}

TEST_F(PhoneFolderChooserTest, WithoutAProxyThereIsNothingToChoose)
{
    std::wstring chosen = L"untouched";
    EXPECT_FALSE(ChoosePhoneFolder(nullptr, m_texts, nullptr, L"E:\\Images", chosen));
    EXPECT_EQ(chosen, L"untouched");
}
