// The folder chooser on the test display: it runs modally on the test's thread while a second
// thread finds its window and drives it with messages, as a user's clicks would.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include "com/ComInit.h"
#include "plugins/common/FolderChooser.h"
#include "tests/pagebase/PageTestHelpers.h"
#include "tests/support/ScreenImage.h"
#include "tests/support/TestThread.h"
#include "ui/MessageBoxSeam.h"

using tolv::plugins::ChooseFolder;
using tolv::plugins::FolderChooserTexts;
using tolv::plugins::kFolderChooserEditId;

namespace {

constexpr int kTreeId = 0x3741;
constexpr int kStatusTextId = 0x3743;

struct Box {
    std::wstring text;
    std::wstring caption;
    UINT type;
};
std::vector<Box> g_boxes;

int RecordBox(HWND, const wchar_t* text, const wchar_t* caption, UINT type)
{
    g_boxes.push_back(Box{text, caption, type});
    return IDOK;
}

bool SamePath(const std::wstring& left, const std::wstring& right)
{
    return CompareStringOrdinal(left.c_str(), -1, right.c_str(), -1, TRUE) == CSTR_EQUAL;
}

RECT RectIn(HWND parent, HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// What the tree shows as selected, for the failure messages.
std::wstring SelectedTreeLabel(HWND chooser)
{
    HWND tree = GetDlgItem(chooser, kTreeId);
    wchar_t label[MAX_PATH] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = TreeView_GetSelection(tree);
    item.pszText = label;
    item.cchTextMax = MAX_PATH;
    if (item.hItem == nullptr || !TreeView_GetItem(tree, &item)) {
        return L"(none)";
    }
    return label;
}

}  // namespace

class FolderChooserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_com.succeeded());
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        m_root = std::wstring(temp) + L"pagebase-chooser-" + std::to_wstring(GetCurrentProcessId());
        m_first = m_root + L"\\First";
        m_second = m_root + L"\\Second";
        for (const std::wstring* folder : {&m_root, &m_first, &m_second}) {
            ASSERT_TRUE(CreateDirectoryW(folder->c_str(), nullptr));
        }
        g_boxes.clear();
        m_previousAnswerer = tolv::ui::SetMessageBoxAnswerer(&RecordBox);
    }
    void TearDown() override
    {
        tolv::ui::SetMessageBoxAnswerer(m_previousAnswerer);
        RemoveDirectoryW(m_first.c_str());
        RemoveDirectoryW(m_second.c_str());
        RemoveDirectoryW(m_root.c_str());
    }

    static HWND FindChooser() { return FindWindowW(L"#32770", kTexts.title.c_str()); }
    static HWND Edit(HWND chooser) { return GetDlgItem(chooser, kFolderChooserEditId); }
    static bool EditShows(HWND chooser, const std::wstring& path)
    {
        return WaitUntil([&] { return SamePath(WindowText(Edit(chooser)), path); });
    }
    static void Type(HWND chooser, const std::wstring& text)
    {
        SendMessageW(Edit(chooser), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    static void PressOk(HWND chooser) { SendMessageW(chooser, WM_COMMAND, IDOK, 0); }

    inline static const FolderChooserTexts kTexts{L"Mp3 Directory", L"Choice Mp3 Directory", L"The path is invalid",
                                                  L"Mp3 Directory"};
    tolv::com::com_init m_com{COINIT_APARTMENTTHREADED};
    std::wstring m_root;
    std::wstring m_first;
    std::wstring m_second;
    tolv::ui::MessageBoxAnswerer m_previousAnswerer = nullptr;
};

TEST_F(FolderChooserTest, TheEditBoxSitsAboveTheTreeAndATypedFolderIsChosen)
{
    std::atomic<bool> laidOut{false};
    std::atomic<bool> startedAtInitial{false};
    std::atomic<bool> captured{false};
    std::wstring shownFirst;
    TestThread user([&] {
        HWND chooser = WaitForWindow(&FindChooser);
        if (chooser == nullptr) {
            return;
        }
        startedAtInitial = EditShows(chooser, m_first);
        shownFirst = WindowText(Edit(chooser));
        shownFirst += L" | tree: " + SelectedTreeLabel(chooser);
        HWND edit = Edit(chooser);
        HWND tree = GetDlgItem(chooser, kTreeId);
        const RECT editRect = RectIn(chooser, edit);
        const RECT treeRect = RectIn(chooser, tree);
        laidOut = edit != nullptr && tree != nullptr && (GetWindowLongW(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) &&
                  !(GetWindowLongW(edit, GWL_STYLE) & ES_MULTILINE) && editRect.top == treeRect.top - 27 &&
                  editRect.bottom == treeRect.top - 4 && !IsWindowVisible(GetDlgItem(chooser, kStatusTextId));
        LetWindowSettle(chooser);
        captured = SaveScreenImage(ArtefactPath(L"folder-chooser.png"));
        Type(chooser, m_second);
        PressOk(chooser);
    });
    std::wstring chosen;
    EXPECT_EQ(ChooseFolder(nullptr, kTexts, m_first, chosen), S_OK);
    user.Join();
    EXPECT_TRUE(startedAtInitial) << shownFirst;
    EXPECT_TRUE(laidOut);
    EXPECT_TRUE(captured);
    EXPECT_TRUE(SamePath(chosen, m_second)) << chosen;
    EXPECT_TRUE(g_boxes.empty());
}

TEST_F(FolderChooserTest, ARejectedPathWarnsAndKeepsTheChooserOpen)
{
    std::atomic<int> stillOpen{0};
    TestThread user([&] {
        HWND chooser = WaitForWindow(&FindChooser);
        if (chooser == nullptr) {
            return;
        }
        EditShows(chooser, m_second);
        for (const std::wstring& rejected : {m_root + L"\\Missing", m_root + L"\\Bad|Name", m_first + L"\\",
                                             std::wstring(L"First"), L"C:\\" + std::wstring(300, L'a')}) {
            Type(chooser, rejected);
            PressOk(chooser);
            stillOpen += IsWindow(chooser) ? 1 : 0;
        }
        Type(chooser, m_first);
        PressOk(chooser);
    });
    std::wstring chosen;
    EXPECT_EQ(ChooseFolder(nullptr, kTexts, m_second, chosen), S_OK);
    user.Join();
    EXPECT_EQ(stillOpen, 5);
    ASSERT_EQ(g_boxes.size(), 5u);
    for (const Box& box : g_boxes) {
        EXPECT_EQ(box.text, kTexts.invalidPath);
        EXPECT_EQ(box.caption, kTexts.invalidPathCaption);
        EXPECT_EQ(box.type & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
    }
    EXPECT_TRUE(SamePath(chosen, m_first)) << chosen;
    // Nothing was created for the rejected paths.
    EXPECT_EQ(GetFileAttributesW((m_root + L"\\Missing").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FolderChooserTest, TheSelectionShowsItsPathAndOkNeedsADriveLetter)
{
    std::atomic<bool> shown{false};
    std::atomic<bool> okEnabled{false};
    std::atomic<bool> startedAtCurrent{false};
    std::atomic<bool> computerRefused{false};
    TestThread user([&] {
        HWND chooser = WaitForWindow(&FindChooser);
        if (chooser == nullptr) {
            return;
        }
        startedAtCurrent = EditShows(chooser, m_root);
        // An item without a drive letter (the computer itself): no path, no OK.
        PIDLIST_ABSOLUTE computer = nullptr;
        if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer))) {
            SendMessageW(chooser, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(computer));
            computerRefused = EditShows(chooser, L"") && !IsWindowEnabled(GetDlgItem(chooser, IDOK));
            CoTaskMemFree(computer);
        }
        SendMessageW(chooser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(m_second.c_str()));
        shown = EditShows(chooser, m_second);
        okEnabled = IsWindowEnabled(GetDlgItem(chooser, IDOK)) != FALSE;
        SendMessageW(chooser, WM_COMMAND, IDCANCEL, 0);
    });
    // Without a folder of its own the chooser starts where the process stands.
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(m_root.c_str()));
    std::wstring chosen = L"untouched";
    const HRESULT hr = ChooseFolder(nullptr, kTexts, L"", chosen);
    SetCurrentDirectoryW(previous);
    user.Join();
    EXPECT_TRUE(startedAtCurrent);
    EXPECT_TRUE(computerRefused);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(okEnabled);
    EXPECT_EQ(hr, S_FALSE);
    EXPECT_TRUE(chosen.empty());
    EXPECT_TRUE(g_boxes.empty());
}
