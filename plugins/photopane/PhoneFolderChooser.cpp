#include "PhoneFolderChooser.h"

#include "PhoneFolderListing.h"
#include "PhoneFolderTree.h"
#include "PhotopaneStringIds.h"
#include "plugins/common/WaitCursor.h"
#include "plugins/photopane/res/PhoneFolderChooserIds.h"
#include "ui/AnsiText.h"

#include <commctrl.h>

#include <deque>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace tolv::photopane {

namespace {

// One item of the tree; the item's lParam points to it.
struct FolderNode {
    std::wstring path;
    bool listed = false;  // its child folders are in the tree
};

// The dialog's state, owned by ChoosePhoneFolder's frame for the length of the modal loop.
class CPhoneFolderDialog {
public:
    CPhoneFolderDialog(IModuleResource& texts, IKivVolume2& volume, const std::wstring& current)
        : m_texts(texts),
          m_volume(volume),
          m_current(current)
    {
    }

    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    const std::wstring& Chosen() const { return m_chosen; }

private:
    void OnInitDialog(HWND dialog);
    void OnNotify(const NMHDR& header);
    void OnOk();
    std::wstring Text(UINT id);
    HTREEITEM AddFolder(HTREEITEM parent, const std::wstring& label, std::wstring path);
    void ListChildren(HTREEITEM item);
    HTREEITEM FindChild(HTREEITEM parent, const std::wstring& path) const;
    void OpenAtCurrent();
    static FolderNode* NodeOf(HWND tree, HTREEITEM item);

    IModuleResource& m_texts;
    IKivVolume2& m_volume;
    std::wstring m_current;
    std::wstring m_chosen;
    HWND m_dialog = nullptr;
    HWND m_tree = nullptr;
    std::deque<FolderNode> m_nodes;  // a deque: the items' pointers stay valid as it grows
};

INT_PTR CALLBACK CPhoneFolderDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        reinterpret_cast<CPhoneFolderDialog*>(lParam)->OnInitDialog(dialog);
        return TRUE;
    }
    auto* self = reinterpret_cast<CPhoneFolderDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (self == nullptr)
        return FALSE;
    switch (message) {
    case WM_NOTIFY:
        self->OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        return FALSE;  // the default answers: expanding and selecting are allowed
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            self->OnOk();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

void CPhoneFolderDialog::OnInitDialog(HWND dialog)
{
    m_dialog = dialog;
    m_tree = GetDlgItem(dialog, PHOTOPANE_IDC_PHONE_FOLDER_TREE);
    SetDlgItemTextW(dialog, IDCANCEL, Text(IDS_CANCEL).c_str());
    EnableWindow(GetDlgItem(dialog, IDOK), FALSE);

    std::vector<std::wstring> drives;
    {
        plugins::WaitCursor waiting;
        ListPhoneDrives(m_volume, drives);
    }
    for (const std::wstring& drive : drives)
        AddFolder(TVI_ROOT, DriveLabel(drive), drive);
    OpenAtCurrent();
    // The title last: whoever finds the window by its title finds it filled.
    SetWindowTextW(dialog, Text(IDS_CHOOSE_PHONE_FOLDER).c_str());
}

void CPhoneFolderDialog::OnNotify(const NMHDR& header)
{
    if (header.hwndFrom != m_tree)
        return;
    if (header.code == TVN_ITEMEXPANDINGW) {
        const auto& expanding = reinterpret_cast<const NMTREEVIEWW&>(header);
        if (expanding.action & TVE_EXPAND)
            ListChildren(expanding.itemNew.hItem);
    } else if (header.code == TVN_SELCHANGEDW) {
        const auto& selected = reinterpret_cast<const NMTREEVIEWW&>(header);
        EnableWindow(GetDlgItem(m_dialog, IDOK), selected.itemNew.hItem != nullptr);
    }
}

void CPhoneFolderDialog::OnOk()
{
    const FolderNode* node = NodeOf(m_tree, TreeView_GetSelection(m_tree));
    if (node == nullptr)
        return;
    m_chosen = node->path;
    EndDialog(m_dialog, IDOK);
}

std::wstring CPhoneFolderDialog::Text(UINT id)
{
    std::string text;
    if (m_texts.LoadString(id, text) == 0)
        return {};
    return tolv::ui::AnsiToWide(text);
}

HTREEITEM CPhoneFolderDialog::AddFolder(HTREEITEM parent, const std::wstring& label, std::wstring path)
{
    FolderNode& node = m_nodes.emplace_back(FolderNode{std::move(path)});
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = const_cast<wchar_t*>(label.c_str());
    // Whether it has folders is known only once it is listed: every folder gets a button.
    insert.item.cChildren = 1;
    insert.item.lParam = reinterpret_cast<LPARAM>(&node);
    return TreeView_InsertItem(m_tree, &insert);
}

void CPhoneFolderDialog::ListChildren(HTREEITEM item)
{
    FolderNode* node = NodeOf(m_tree, item);
    if (node == nullptr || node->listed)
        return;
    std::vector<std::wstring> folders;
    {
        plugins::WaitCursor waiting;
        // A failed listing leaves the folder to be listed again at its next opening.
        if (FAILED(ListChildFolders(m_volume, node->path, folders)))
            return;
    }
    node->listed = true;
    for (const std::wstring& name : folders)
        AddFolder(item, name, ChildPath(node->path, name));
    if (folders.empty()) {
        TVITEMW childless{};
        childless.mask = TVIF_CHILDREN;
        childless.hItem = item;
        childless.cChildren = 0;
        TreeView_SetItem(m_tree, &childless);
    }
}

HTREEITEM CPhoneFolderDialog::FindChild(HTREEITEM parent, const std::wstring& path) const
{
    HTREEITEM child = parent == TVI_ROOT ? TreeView_GetRoot(m_tree) : TreeView_GetChild(m_tree, parent);
    for (; child != nullptr; child = TreeView_GetNextSibling(m_tree, child)) {
        const FolderNode* node = NodeOf(m_tree, child);
        if (node != nullptr && SamePhonePath(node->path, path))
            return child;
    }
    return nullptr;
}

void CPhoneFolderDialog::OpenAtCurrent()
{
    // As far down as the phone has the folder: a folder that has gone since it was chosen
    // leaves the user where it was.
    HTREEITEM deepest = nullptr;
    for (const std::wstring& step : PathChain(m_current)) {
        if (deepest != nullptr) {
            ListChildren(deepest);
            TreeView_Expand(m_tree, deepest, TVE_EXPAND);
        }
        HTREEITEM item = FindChild(deepest == nullptr ? TVI_ROOT : deepest, step);
        if (item == nullptr)
            break;
        deepest = item;
    }
    if (deepest == nullptr)
        return;
    TreeView_SelectItem(m_tree, deepest);
    TreeView_EnsureVisible(m_tree, deepest);
}

FolderNode* CPhoneFolderDialog::NodeOf(HWND tree, HTREEITEM item)
{
    if (item == nullptr)
        return nullptr;
    TVITEMW data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    if (!TreeView_GetItem(tree, &data))
        return nullptr;
    return reinterpret_cast<FolderNode*>(data.lParam);
}

}  // namespace

bool ChoosePhoneFolder(HWND owner, IModuleResource& texts, IKivVolume2* volume, const std::wstring& current,
                       std::wstring& chosen)
{
    if (volume == nullptr)
        return false;
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    CPhoneFolderDialog dialog(texts, *volume, current);
    // The template is in the module this code is linked into, whatever module gives the texts.
    const INT_PTR answer =
        DialogBoxParamW(reinterpret_cast<HINSTANCE>(&__ImageBase), MAKEINTRESOURCEW(PHOTOPANE_IDD_PHONE_FOLDER_CHOOSER),
                        owner, &CPhoneFolderDialog::Procedure, reinterpret_cast<LPARAM>(&dialog));
    if (answer != IDOK)
        return false;
    chosen = dialog.Chosen();
    return true;
}

}  // namespace tolv::photopane
