#include "plugins/common/FolderChooser.h"

#include <cwctype>
#include <new>

#include <commctrl.h>
#include <shlobj.h>

#include "com/UniqueCoTaskMem.h"
#include "plugins/common/FolderPathRules.h"
#include "trace/TraceResult.h"
#include "ui/MessageBoxSeam.h"

TOLV_TRACE_UNIT("FolderChooser");

namespace tolv::plugins {

namespace {

// Controls of the system's browse dialog.
constexpr int kTreeId = 0x3741;
constexpr int kStatusTextId = 0x3743;
// The edit box sits in the gap above the tree: its top 27 pixels, its bottom 4 pixels above it.
constexpr int kEditTopAboveTree = 27;
constexpr int kEditBottomAboveTree = 4;
constexpr UINT_PTR kSubclassId = 1;
// The tree may still be filling when the chooser starts (Wine fills it while it pumps
// messages), and a selection made too early is lost without a word: the initial folder is
// selected again until a folder with a path is selected, for ten seconds at most (a loaded
// machine fills the tree slowly).
constexpr UINT_PTR kInitialSelectionTimerId = 1;
constexpr UINT kInitialSelectionRetryMs = 100;
constexpr int kInitialSelectionAttempts = 100;

struct ChooserState {
    const FolderChooserTexts& texts;
    std::wstring initialFolder;
    std::wstring chosen;
    int selectionAttemptsLeft = kInitialSelectionAttempts;
};

HWND FindTree(HWND dialog) noexcept
{
    if (HWND tree = GetDlgItem(dialog, kTreeId)) {
        return tree;
    }
    return FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
}

void AddEditBox(HWND dialog) noexcept
{
    HWND tree = FindTree(dialog);
    if (tree == nullptr) {
        tolv::trace::Warning(TOLV_HERE);
        return;
    }
    RECT treeRect{};
    GetWindowRect(tree, &treeRect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&treeRect), 2);
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                                treeRect.left, treeRect.top - kEditTopAboveTree, treeRect.right - treeRect.left,
                                kEditTopAboveTree - kEditBottomAboveTree, dialog,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFolderChooserEditId)),
                                reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)), nullptr);
    if (edit == nullptr) {
        tolv::trace::Warning(TOLV_HERE);
        return;
    }
    SendMessageW(edit, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
    SendMessageW(edit, EM_LIMITTEXT, kMaxFolderPathLength, 0);
}

std::wstring EditText(HWND dialog)
{
    HWND edit = GetDlgItem(dialog, kFolderChooserEditId);
    const int length = GetWindowTextLengthW(edit);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(edit, text.data(), length + 1)));
    return text;
}

bool HasDriveLetter(const wchar_t* path) noexcept
{
    return path[0] != L'\0' && iswalpha(path[0]) && path[1] == L':';
}

void SelectInitialFolder(HWND dialog, ChooserState& state) noexcept
{
    const bool selected = GetWindowTextLengthW(GetDlgItem(dialog, kFolderChooserEditId)) > 0;
    if (selected || --state.selectionAttemptsLeft < 0) {
        KillTimer(dialog, kInitialSelectionTimerId);
        return;
    }
    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(state.initialFolder.c_str()));
}

// OK: only a path that passes the rules may close the chooser. A text longer than the edit
// box holds is refused as a whole rather than read cut short to a different folder.
LRESULT CALLBACK ChooserSubclassProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                                     DWORD_PTR data)
{
    auto* state = reinterpret_cast<ChooserState*>(data);
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        bool accepted = false;
        try {
            const std::wstring text = EditText(dialog);
            accepted = IsAcceptableFolder(text);
            if (accepted) {
                state->chosen = text;
            }
        } catch (...) {
            accepted = false;
        }
        if (!accepted) {
            tolv::ui::ShowMessageBox(dialog, state->texts.invalidPath.c_str(), state->texts.invalidPathCaption.c_str(),
                                     MB_OK | MB_ICONWARNING);
            return 0;
        }
    } else if (message == WM_TIMER && wParam == kInitialSelectionTimerId) {
        SelectInitialFolder(dialog, *state);
        return 0;
    } else if (message == WM_NCDESTROY) {
        KillTimer(dialog, kInitialSelectionTimerId);
        RemoveWindowSubclass(dialog, &ChooserSubclassProc, kSubclassId);
    }
    return DefSubclassProc(dialog, message, wParam, lParam);
}

void OnInitialized(HWND dialog, ChooserState& state) noexcept
{
    ShowWindow(GetDlgItem(dialog, kStatusTextId), SW_HIDE);
    AddEditBox(dialog);
    SetWindowSubclass(dialog, &ChooserSubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(&state));
    // The title last: whoever finds the chooser by it finds it complete.
    SetWindowTextW(dialog, state.texts.title.c_str());
    SelectInitialFolder(dialog, state);
    SetTimer(dialog, kInitialSelectionTimerId, kInitialSelectionRetryMs, nullptr);
}

void OnSelectionChanged(HWND dialog, PCIDLIST_ABSOLUTE item) noexcept
{
    wchar_t path[MAX_PATH] = {};
    if (item == nullptr || !SHGetPathFromIDListW(item, path)) {
        path[0] = L'\0';
    }
    SetDlgItemTextW(dialog, kFolderChooserEditId, path);
    SendMessageW(dialog, BFFM_ENABLEOK, 0, HasDriveLetter(path) ? TRUE : FALSE);
}

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM lParam, LPARAM data)
{
    auto* state = reinterpret_cast<ChooserState*>(data);
    switch (message) {
    case BFFM_INITIALIZED:
        OnInitialized(dialog, *state);
        break;
    case BFFM_SELCHANGED:
        OnSelectionChanged(dialog, reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam));
        break;
    default:
        break;
    }
    return 0;
}

std::wstring CurrentDirectory()
{
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    if (length == 0) {
        return {};
    }
    std::wstring directory(length, L'\0');
    directory.resize(GetCurrentDirectoryW(length, directory.data()));
    return directory;
}

}  // namespace

HRESULT ChooseFolder(HWND owner, const FolderChooserTexts& texts, std::wstring_view initialFolder,
                     std::wstring& chosen) noexcept
{
    chosen.clear();
    try {
        ChooserState state{texts, initialFolder.empty() ? CurrentDirectory() : std::wstring(initialFolder), {}};
        wchar_t displayName[MAX_PATH] = {};
        BROWSEINFOW browse{};
        browse.hwndOwner = owner;
        browse.pszDisplayName = displayName;
        browse.lpszTitle = texts.prompt.c_str();
        browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
        browse.lpfn = &BrowseCallback;
        browse.lParam = reinterpret_cast<LPARAM>(&state);
        const tolv::com::unique_cotaskmem<ITEMIDLIST> picked(SHBrowseForFolderW(&browse));
        if (!picked) {
            return S_FALSE;
        }
        // What the edit box held when OK was accepted, which may differ from the tree's item.
        TOLV_RETURN_HR_IF(E_UNEXPECTED, state.chosen.empty());
        chosen = std::move(state.chosen);
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace tolv::plugins
