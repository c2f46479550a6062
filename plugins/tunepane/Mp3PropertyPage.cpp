#include "plugins/tunepane/Mp3PropertyPage.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <functional>

#include "plugins/common/FolderChooser.h"
#include "plugins/common/WaitCursor.h"
#include "plugins/tunepane/Mp3FileDialog.h"
#include "plugins/tunepane/TunepaneStringIds.h"
#include "plugins/tunepane/res/TunepaneResources.h"
#include "resources/ResourceOwners.h"
#include "trace/TraceResult.h"
#include "ui/MessageBoxSeam.h"

TOLV_TRACE_UNIT("CMp3PropertyPage");

using tolv::com::auto_lock;
using tolv::com::com_ptr;

namespace tolv::tunepane {

namespace {

constexpr int kSliderMinimum = 0;
constexpr int kSliderMaximum = 100;
constexpr int kSliderTickStep = 20;
constexpr LONG kLoadFontWeight = 600;
constexpr int kDirectoryColumnWidth = 310;
constexpr int kNameColumnWidth = 2150;
constexpr int kRowIconSize = 16;

// Registered with the first page rather than while the module loads, where the loader lock
// is held.
UINT UpdatePageMessage()
{
    static const UINT message = RegisterWindowMessageW(kUpdateMp3PageMessage);
    return message;
}

}  // namespace

CMp3PropertyPage::CMp3PropertyPage(IModuleResource& texts, CMp3SettingsStore store, CTolvTrace* trace,
                                   HINSTANCE resources)
    : CPropertyPageBase(TUNEPANE_IDD_MP3_PAGE, IDS_PAGE_TITLE, resources),
      m_texts(Mp3PageTexts::Load(texts)),
      m_store(std::move(store)),
      m_trace(trace)
{
    SetHelpFile(kMp3PageHelpFile);
    UpdatePageMessage();
}

CMp3PropertyPage::~CMp3PropertyPage() = default;

void CMp3PropertyPage::AttachUpload(std::unique_ptr<IMp3Upload> upload)
{
    m_upload = std::move(upload);
}

Mp3JobResult CMp3PropertyPage::StartScheduler(bool isButton)
{
    return m_upload ? m_upload->StartScheduler(isButton) : kJobFailed;
}

bool CMp3PropertyPage::JobRunning() const
{
    return m_upload && m_upload->Running();
}

std::vector<Mp3Row> CMp3PropertyPage::Rows() const
{
    auto_lock lock(m_lock);
    return m_selection.Rows();
}

bool CMp3PropertyPage::Connected() const
{
    auto_lock lock(m_lock);
    return m_connected;
}

Mp3Settings CMp3PropertyPage::ReadSettings()
{
    Mp3Settings settings = m_store.Read();
    auto_lock lock(m_lock);
    m_settings = settings;
    m_selection.Assign(settings.rows);
    return settings;
}

std::wstring CMp3PropertyPage::LastTargetPath() const
{
    auto_lock lock(m_lock);
    return m_targetPath;
}

HWND CMp3PropertyPage::LoadButton() const
{
    return DialogControl(TUNEPANE_IDC_LOAD_BUTTON);
}

// ---- The dialog ----

bool CMp3PropertyPage::OnInitDialog()
{
    m_dialog = Window();
    SetControlTexts();
    CreateLoadFont();
    SetWindowTextW(Window(), m_texts.title.c_str());
    CreateListColumnsAndImages();
    HWND slider = Control(TUNEPANE_IDC_FREE_SLIDER);
    SendMessageW(slider, TBM_SETRANGE, FALSE, MAKELPARAM(kSliderMinimum, kSliderMaximum));
    SendMessageW(slider, TBM_SETTICFREQ, kSliderTickStep, 0);
    EnableWindow(Control(TUNEPANE_IDC_LOAD_BUTTON), FALSE);
    StartPageUpdata();
    return true;
}

void CMp3PropertyPage::SetControlTexts()
{
    const struct {
        int id;
        const std::wstring& text;
    } controls[] = {
        {TUNEPANE_IDC_PC_GROUP, m_texts.yourPc},       {TUNEPANE_IDC_ADD_DIRECTORY, m_texts.addDirectory},
        {TUNEPANE_IDC_ADD_MP3, m_texts.addMp3},        {TUNEPANE_IDC_RANDOM, m_texts.randomSelection},
        {TUNEPANE_IDC_PHONE_GROUP, m_texts.yourPhone}, {TUNEPANE_IDC_PHONE_DIRECTORY_LABEL, m_texts.phoneDirectory},
        {TUNEPANE_IDC_DELETE_ALL, m_texts.deleteAll},  {TUNEPANE_IDC_LOAD_BUTTON, m_texts.load},
    };
    for (const auto& control : controls) {
        SetDlgItemTextW(Window(), control.id, control.text.c_str());
    }
}

void CMp3PropertyPage::CreateLoadFont()
{
    HWND load = Control(TUNEPANE_IDC_LOAD_BUTTON);
    const HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageW(Window(), WM_GETFONT, 0, 0));
    LOGFONTW font{};
    if (dialogFont == nullptr || GetObjectW(dialogFont, sizeof(font), &font) != sizeof(font)) {
        return;
    }
    font.lfWeight = kLoadFontWeight;
    m_loadFont.reset(CreateFontIndirectW(&font));
    if (m_loadFont) {
        SendMessageW(load, WM_SETFONT, reinterpret_cast<WPARAM>(m_loadFont.get()), FALSE);
    }
}

void CMp3PropertyPage::CreateListColumnsAndImages()
{
    HWND list = Control(TUNEPANE_IDC_MP3_LIST);
    const struct {
        const std::wstring& title;
        int width;
    } columns[] = {{m_texts.columnDirectory, kDirectoryColumnWidth}, {m_texts.columnName, kNameColumnWidth}};
    int index = 0;
    for (const auto& column : columns) {
        LVCOLUMNW definition{};
        definition.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        definition.pszText = const_cast<wchar_t*>(column.title.c_str());
        definition.cx = column.width;
        definition.iSubItem = index;
        SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&definition));
        ++index;
    }
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);

    m_rowImages.reset(ImageList_Create(kRowIconSize, kRowIconSize, ILC_COLOR32 | ILC_MASK, 2, 0));
    if (!m_rowImages) {
        return;
    }
    for (const int icon : {TUNEPANE_IDI_FOLDER_ROW, TUNEPANE_IDI_FILE_ROW}) {
        // Icons loaded from a module are shared and go with it: nothing to destroy.
        const HICON image = static_cast<HICON>(
            LoadImageW(Resources(), MAKEINTRESOURCEW(icon), IMAGE_ICON, kRowIconSize, kRowIconSize, LR_SHARED));
        ImageList_AddIcon(m_rowImages.get(), image);
    }
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_rowImages.get()));
}

void CMp3PropertyPage::OnDestroy()
{
    m_dialog = nullptr;
}

bool CMp3PropertyPage::OnCommand(WORD id, WORD code, HWND /*control*/)
{
    switch (id) {
    case TUNEPANE_IDC_ADD_DIRECTORY:
        AddFolder();
        return true;
    case TUNEPANE_IDC_ADD_MP3:
        AddFiles();
        return true;
    case TUNEPANE_IDC_LOAD_BUTTON:
        StartLoad();
        return true;
    case TUNEPANE_IDC_RANDOM:
    case TUNEPANE_IDC_DELETE_ALL:
        if (code == BN_CLICKED) {
            SetDirty(true);
        }
        return true;
    case IDS_MENU_DELETE:
        DeleteSelectedRows();
        return true;
    case IDS_MENU_CHANGE:
        ChangeSelectedRow();
        return true;
    default:
        return false;
    }
}

bool CMp3PropertyPage::OnNotify(const NMHDR& header, LRESULT& result)
{
    if (header.idFrom == TUNEPANE_IDC_MP3_LIST && header.code == NM_RCLICK) {
        ShowListMenu();
        result = 0;
        return true;
    }
    return false;
}

bool CMp3PropertyPage::OnMessage(UINT message, WPARAM /*wParam*/, LPARAM lParam, LRESULT& result)
{
    if (message == WM_HSCROLL && reinterpret_cast<HWND>(lParam) == Control(TUNEPANE_IDC_FREE_SLIDER)) {
        OnSliderMoved();
        result = 0;
        return true;
    }
    if (message == UpdatePageMessage()) {
        plugins::WaitCursor wait;
        m_refresh.RunNow([this] { RefreshPhoneSide(); });
        result = 0;
        return true;
    }
    return false;
}

HRESULT CMp3PropertyPage::OnApply()
{
    const Mp3Settings settings = SettingsFromControls();
    TOLV_RETURN_HR_IF(E_FAIL, !m_store.Write(settings));
    auto_lock lock(m_lock);
    m_settings = settings;
    return S_OK;
}

Mp3Settings CMp3PropertyPage::SettingsFromControls() const
{
    Mp3Settings settings;
    {
        auto_lock lock(m_lock);
        settings = m_settings;
        settings.rows = m_selection.Rows();
    }
    if (Window() != nullptr) {
        settings.memoryToFill = static_cast<int>(SendMessageW(Control(TUNEPANE_IDC_FREE_SLIDER), TBM_GETPOS, 0, 0));
        settings.randomSelection = IsDlgButtonChecked(Window(), TUNEPANE_IDC_RANDOM) == BST_CHECKED ? 1 : 0;
        settings.deleteAll = IsDlgButtonChecked(Window(), TUNEPANE_IDC_DELETE_ALL) == BST_CHECKED ? 1 : 0;
    }
    return settings;
}

// ---- Editing the selection ----

bool CMp3PropertyPage::EditSelection(const std::function<bool(CMp3Selection&)>& edit)
{
    std::vector<Mp3Row> rows;
    {
        auto_lock lock(m_lock);
        if (!edit(m_selection)) {
            return false;
        }
        rows = m_selection.Rows();
    }
    FillList(rows);
    SetDirty(true);
    return true;
}

bool CMp3PropertyPage::RowAt(size_t index, Mp3Row& row) const
{
    auto_lock lock(m_lock);
    if (index >= m_selection.Rows().size()) {
        return false;
    }
    row = m_selection.Rows()[index];
    return true;
}

bool CMp3PropertyPage::InsertDat(const Mp3Row& row)
{
    if (!EditSelection([&](CMp3Selection& selection) { return selection.Append(row); })) {
        WarnAlreadyInList();
        return false;
    }
    return true;
}

void CMp3PropertyPage::WarnAlreadyInList() const
{
    tolv::ui::ShowMessageBox(Window(), m_texts.alreadyInList.c_str(), m_texts.mp3Directory.c_str(),
                             MB_OK | MB_ICONWARNING);
}

std::vector<size_t> CMp3PropertyPage::SelectedRows() const
{
    std::vector<size_t> selected;
    HWND list = Control(TUNEPANE_IDC_MP3_LIST);
    int index = -1;
    while ((index = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, index, LVNI_SELECTED))) >= 0) {
        selected.push_back(static_cast<size_t>(index));
    }
    return selected;
}

HRESULT CMp3PropertyPage::ChooseMp3Folder(const std::wstring& start, std::wstring& folder) const
{
    const plugins::FolderChooserTexts texts{m_texts.mp3Directory, m_texts.chooseMp3Directory, m_texts.invalidPath,
                                            m_texts.mp3Directory};
    return plugins::ChooseFolder(Window(), texts, start, folder);
}

void CMp3PropertyPage::AddFolder()
{
    const std::vector<size_t> selected = SelectedRows();
    Mp3Row startRow;
    if (!selected.empty()) {
        RowAt(selected.front(), startRow);
    }
    std::wstring folder;
    if (ChooseMp3Folder(startRow.directory, folder) == S_OK) {
        InsertDat(Mp3Row{folder, kFolderRowName});
    }
}

void CMp3PropertyPage::AddFiles()
{
    std::vector<Mp3Row> chosen;
    if (ChooseMp3Files(Window(), m_texts, {}, chosen) != S_OK) {
        return;
    }
    for (const Mp3Row& row : chosen) {
        InsertDat(row);
    }
}

void CMp3PropertyPage::ChangeSelectedRow()
{
    const std::vector<size_t> selected = SelectedRows();
    Mp3Row current;
    if (selected.size() != 1 || !RowAt(selected.front(), current)) {
        return;
    }

    Mp3Row replacement;
    if (IsFolderRow(current)) {
        std::wstring folder;
        if (ChooseMp3Folder(current.directory, folder) != S_OK) {
            return;
        }
        replacement = Mp3Row{folder, kFolderRowName};
    } else {
        std::vector<Mp3Row> chosen;
        if (ChooseMp3Files(Window(), m_texts, current.directory + L"\\" + current.name, chosen) != S_OK ||
            chosen.empty()) {
            return;
        }
        replacement = chosen.front();
    }
    const size_t index = selected.front();
    if (!EditSelection([&](CMp3Selection& selection) { return selection.Replace(index, replacement); })) {
        WarnAlreadyInList();
    }
}

void CMp3PropertyPage::DeleteSelectedRows()
{
    const std::vector<size_t> selected = SelectedRows();
    if (selected.empty()) {
        return;
    }
    EditSelection([&](CMp3Selection& selection) {
        selection.Remove(selected);
        return true;
    });
}

void CMp3PropertyPage::ShowListMenu()
{
    const std::vector<size_t> selected = SelectedRows();
    if (selected.empty()) {
        return;
    }
    const tolv::resources::unique_menu menu(LoadMenuW(Resources(), MAKEINTRESOURCEW(TUNEPANE_IDM_LIST_MENU)));
    HMENU popup = menu ? GetSubMenu(menu.get(), 0) : nullptr;
    if (popup == nullptr) {
        return;
    }
    ModifyMenuW(popup, IDS_MENU_DELETE, MF_BYCOMMAND | MF_STRING, IDS_MENU_DELETE, m_texts.menuDelete.c_str());
    ModifyMenuW(popup, IDS_MENU_CHANGE, MF_BYCOMMAND | MF_STRING, IDS_MENU_CHANGE, m_texts.menuChange.c_str());
    EnableMenuItem(popup, IDS_MENU_CHANGE, MF_BYCOMMAND | (selected.size() > 1 ? MF_GRAYED : MF_ENABLED));
    POINT cursor{};
    GetCursorPos(&cursor);
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, Window(), nullptr));
    if (command != 0) {
        OnCommand(static_cast<WORD>(command), 0, nullptr);
    }
}

void CMp3PropertyPage::OnSliderMoved()
{
    const int percentage = static_cast<int>(SendMessageW(Control(TUNEPANE_IDC_FREE_SLIDER), TBM_GETPOS, 0, 0));
    ShowFreeMemory(percentage);
    if (percentage != m_lastMemoryToFill) {
        m_lastMemoryToFill = percentage;
        SetDirty(true);
    }
}

void CMp3PropertyPage::StartLoad()
{
    if (!m_upload || m_upload->Running() || Disconnected()) {
        return;
    }
    if (SUCCEEDED(OnApply())) {
        SetDirty(false);
    }
    m_upload->StartDownload();
}

}  // namespace tolv::tunepane
