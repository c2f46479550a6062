#include "plugins/photopane/PicturesPropertyPage.h"

#include <cwctype>

#include "plugins/common/BoldFont.h"
#include "plugins/common/FolderChooser.h"
#include "plugins/common/ModuleTexts.h"
#include "plugins/common/WaitCursor.h"
#include "plugins/photopane/DefaultPhoneFolder.h"
#include "plugins/photopane/PhoneFolderChooser.h"
#include "plugins/photopane/PhotoDevice.h"
#include "plugins/photopane/PhotoProxy.h"
#include "plugins/photopane/PhotopaneStringIds.h"
#include "plugins/photopane/res/PhotopaneResources.h"
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("CPicturesPropertyPage");

using tolv::com::auto_lock;
using tolv::com::com_ptr;

namespace tolv::photopane {

namespace {

constexpr int kConnectionTries = 2;
constexpr DWORD kConnectionTryPauseMs = 5;
constexpr DWORD kDisconnectionWaitMs = 5000;
// "E:" at the start of a phone folder.
constexpr size_t kDriveLength = 2;

// The controls that need the phone.
constexpr int kPhoneControls[] = {PHOTOPANE_IDC_DOWNLOAD_START, PHOTOPANE_IDC_CHOOSE_PHONE_FOLDER};

const UINT g_updatePageMessage = RegisterWindowMessageW(kUpdatePicturesPageMessage);

// A stored phone folder without its drive ("\Images" of "E:\Images"): what is shown while no
// phone says which drive it has.
std::wstring WithoutDrive(const std::wstring& folder)
{
    const bool hasDrive = folder.size() >= kDriveLength && std::iswalpha(folder[0]) && folder[1] == L':';
    return hasDrive ? folder.substr(kDriveLength) : folder;
}

std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

CPicturesPropertyPage::CPicturesPropertyPage(IModuleResource& texts, CPhotoSettingsStore store, CTolvTrace* trace,
                                             HINSTANCE resources)
    : CPropertyPageBase(PHOTOPANE_IDD_PICTURES_PAGE, IDS_PAGE_TITLE, resources),
      m_texts(texts),
      m_store(std::move(store)),
      m_trace(trace)
{
    SetHelpFile(kPicturesPageHelpFile);
}

CPicturesPropertyPage::~CPicturesPropertyPage() = default;

std::wstring CPicturesPropertyPage::Text(UINT id) const
{
    return plugins::WideText(m_texts, id);
}

std::wstring CPicturesPropertyPage::Title() const
{
    return Text(IDS_PAGE_TITLE);
}

void CPicturesPropertyPage::AttachDownload(std::unique_ptr<IPhotoDownload> download)
{
    m_download = std::move(download);
}

plugins::TransferJobResult CPicturesPropertyPage::StartScheduler(bool isButton)
{
    return m_download ? m_download->StartScheduler(isButton) : plugins::kJobFailed;
}

bool CPicturesPropertyPage::JobRunning() const
{
    return m_download && m_download->Running();
}

void CPicturesPropertyPage::StartPageUpdata()
{
    if (m_refresh.Disconnected()) {
        return;
    }
    TOLV_LOG_IF_FAILED(m_refresh.Schedule(static_cast<IPropertyPage2*>(this), [this] { TransferUpdataThread(); }));
}

void CPicturesPropertyPage::OnDisconnection()
{
    m_refresh.Disconnect(kDisconnectionWaitMs);
}

bool CPicturesPropertyPage::Connected() const
{
    auto_lock lock(m_lock);
    return m_connected;
}

PhotoSettings CPicturesPropertyPage::ReadSettings()
{
    const PhotoSettings settings = m_store.Read();
    {
        auto_lock lock(m_lock);
        m_settings = settings;
    }
    if (HWND dialog = Dialog()) {
        CheckRadioButton(dialog, PHOTOPANE_IDC_OVERWRITE, PHOTOPANE_IDC_DO_NOT_OVERWRITE,
                         PHOTOPANE_IDC_OVERWRITE + settings.pcOverwrite);
        CheckRadioButton(dialog, PHOTOPANE_IDC_LEAVE_ORIGINALS, PHOTOPANE_IDC_DELETE_ORIGINALS,
                         PHOTOPANE_IDC_LEAVE_ORIGINALS + settings.keepOnDevice);
    }
    return settings;
}

std::wstring CPicturesPropertyPage::LastPhoneFolder() const
{
    auto_lock lock(m_lock);
    return m_phoneFolder;
}

HWND CPicturesPropertyPage::DownloadButton() const
{
    return DialogControl(PHOTOPANE_IDC_DOWNLOAD_START);
}

HRESULT CPicturesPropertyPage::CreateVolume(com_ptr<IKivVolume2>& volume)
{
    return CreatePhotoProxy(volume);
}

// ---- The dialog ----

bool CPicturesPropertyPage::OnInitDialog()
{
    m_dialog = Window();
    SetControlTexts();
    m_downloadFont = plugins::SetBoldFont(Window(), Control(PHOTOPANE_IDC_DOWNLOAD_START));
    for (const int id : kPhoneControls) {
        EnableWindow(Control(id), FALSE);
    }
    StartPageUpdata();
    return true;
}

void CPicturesPropertyPage::SetControlTexts()
{
    const struct {
        int control;
        UINT text;
    } controls[] = {
        {PHOTOPANE_IDC_PC_GROUP, IDS_YOUR_PC},
        {PHOTOPANE_IDC_PC_FOLDER_LABEL, IDS_PICTURES_DOWNLOAD_DIRECTORY},
        {PHOTOPANE_IDC_OVERWRITE, IDS_OVERWRITE_FILES},
        {PHOTOPANE_IDC_DO_NOT_OVERWRITE, IDS_DO_NOT_OVERWRITE_FILES},
        {PHOTOPANE_IDC_PHONE_GROUP, IDS_YOUR_PHONE},
        {PHOTOPANE_IDC_PHONE_FOLDER_LABEL, IDS_PHONE_DIRECTORY},
        {PHOTOPANE_IDC_LEAVE_ORIGINALS, IDS_LEAVE_ORIGINALS},
        {PHOTOPANE_IDC_DELETE_ORIGINALS, IDS_DELETE_ORIGINALS},
        {PHOTOPANE_IDC_DOWNLOAD_START, IDS_DOWNLOAD_START},
    };
    for (const auto& control : controls) {
        SetDlgItemTextW(Window(), control.control, Text(control.text).c_str());
    }
}

void CPicturesPropertyPage::OnDestroy()
{
    m_dialog = nullptr;
}

bool CPicturesPropertyPage::OnCommand(WORD id, WORD code, HWND /*control*/)
{
    switch (id) {
    case PHOTOPANE_IDC_CHOOSE_PC_FOLDER:
        ChoosePcFolder();
        return true;
    case PHOTOPANE_IDC_CHOOSE_PHONE_FOLDER:
        ChoosePhoneFolder();
        return true;
    case PHOTOPANE_IDC_DOWNLOAD_START:
        StartDownload();
        return true;
    case PHOTOPANE_IDC_OVERWRITE:
    case PHOTOPANE_IDC_DO_NOT_OVERWRITE:
    case PHOTOPANE_IDC_LEAVE_ORIGINALS:
    case PHOTOPANE_IDC_DELETE_ORIGINALS:
        if (code == BN_CLICKED) {
            SetDirty(true);
        }
        return true;
    default:
        return false;
    }
}

bool CPicturesPropertyPage::OnMessage(UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& result)
{
    if (message != g_updatePageMessage) {
        return false;
    }
    plugins::WaitCursor wait;
    m_refresh.RunNow([this] { TransferUpdataThread(); });
    result = 0;
    return true;
}

HRESULT CPicturesPropertyPage::OnApply()
{
    const PhotoSettings settings = SettingsFromControls();
    TOLV_RETURN_HR_IF(E_FAIL, !m_store.Write(settings));
    auto_lock lock(m_lock);
    m_settings = settings;
    return S_OK;
}

PhotoSettings CPicturesPropertyPage::SettingsFromControls() const
{
    PhotoSettings settings;
    {
        auto_lock lock(m_lock);
        settings = m_settings;
        settings.phoneFolder = m_phoneFolder;
    }
    if (Window() != nullptr) {
        settings.pcFolder = WindowText(Control(PHOTOPANE_IDC_PC_FOLDER));
        settings.pcOverwrite = IsDlgButtonChecked(Window(), PHOTOPANE_IDC_DO_NOT_OVERWRITE) == BST_CHECKED ? 1 : 0;
        settings.keepOnDevice = IsDlgButtonChecked(Window(), PHOTOPANE_IDC_DELETE_ORIGINALS) == BST_CHECKED ? 1 : 0;
    }
    return settings;
}

// ---- The refresh ----

void CPicturesPropertyPage::TransferUpdataThread()
{
    for (const int id : kPhoneControls) {
        EnableWindow(DialogControl(id), FALSE);
    }
    if (Disconnected()) {
        return;
    }
    com_ptr<IKivVolume2> volume;
    TOLV_LOG_IF_FAILED(CreateVolume(volume));
    CPhotoDevice device(m_trace);
    device.SetVolume(volume);

    if (Disconnected()) {
        return;
    }
    const PhotoSettings settings = ReadSettings();
    SetWindowTextW(DialogControl(PHOTOPANE_IDC_PC_FOLDER), settings.pcFolder.c_str());

    bool connected = false;
    if (!Disconnected() && m_frameworkConnected && volume) {
        for (int attempt = 0; attempt < kConnectionTries && !connected; ++attempt) {
            if (attempt > 0) {
                Sleep(kConnectionTryPauseMs);
            }
            connected = device.IsConnected();
        }
    }

    if (Disconnected()) {
        return;
    }
    const std::wstring drive = connected ? device.DriveTest() : std::wstring();
    // A stored folder is kept whole for Apply; only what is shown loses the drive no phone confirms.
    std::wstring phoneFolder = settings.phoneFolder;
    std::wstring shownFolder = connected ? phoneFolder : WithoutDrive(phoneFolder);
    if (phoneFolder.empty() && !drive.empty()) {
        phoneFolder = DefaultPhoneFolder(drive, m_texts);
        shownFolder = phoneFolder;
    }
    {
        auto_lock lock(m_lock);
        m_phoneFolder = phoneFolder;
        m_connected = connected;
    }

    if (Disconnected()) {
        return;
    }
    SetWindowTextW(DialogControl(PHOTOPANE_IDC_PHONE_FOLDER), shownFolder.c_str());
    for (const int id : kPhoneControls) {
        EnableWindow(DialogControl(id), connected ? TRUE : FALSE);
    }
}

// ---- The choosers and the button ----

void CPicturesPropertyPage::ChoosePcFolder()
{
    const plugins::FolderChooserTexts texts{Text(IDS_IMAGES_DIRECTORY), Text(IDS_CHOOSE_PC_FOLDER_PROMPT),
                                            Text(IDS_INVALID_PATH), Text(IDS_IMAGES_DIRECTORY)};
    std::wstring folder;
    if (plugins::ChooseFolder(Window(), texts, WindowText(Control(PHOTOPANE_IDC_PC_FOLDER)), folder) != S_OK) {
        return;
    }
    SetWindowTextW(Control(PHOTOPANE_IDC_PC_FOLDER), folder.c_str());
    SetDirty(true);
}

void CPicturesPropertyPage::ChoosePhoneFolder()
{
    com_ptr<IKivVolume2> volume;
    TOLV_LOG_IF_FAILED(CreateVolume(volume));
    const std::wstring current = LastPhoneFolder();
    std::wstring chosen;
    if (!photopane::ChoosePhoneFolder(Window(), m_texts, volume.get(), current, chosen) || chosen == current) {
        return;
    }
    {
        auto_lock lock(m_lock);
        m_phoneFolder = chosen;
    }
    SetWindowTextW(Control(PHOTOPANE_IDC_PHONE_FOLDER), chosen.c_str());
    SetDirty(true);
}

void CPicturesPropertyPage::StartDownload()
{
    if (!m_download || m_download->Running() || Disconnected()) {
        return;
    }
    if (SUCCEEDED(OnApply())) {
        SetDirty(false);
    }
    m_download->StartDownload();
}

}  // namespace tolv::photopane
