#include "plugins/tunepane/Mp3PropertyPage.h"

#include <commctrl.h>

#include <cwchar>

#include "com/CreationRetry.h"
#include "plugins/common/KivProxyServer.h"
#include "plugins/common/WaitCursor.h"
#include "plugins/tunepane/Mp3Device.h"
#include "plugins/tunepane/res/TunepaneResources.h"
#include "trace/TraceResult.h"

// The page's refresh of its phone side: scheduling, the body on a worker, and what it shows.
TOLV_TRACE_UNIT("CMp3PropertyPage refresh");

using tolv::com::auto_lock;
using tolv::com::com_ptr;

namespace tolv::tunepane {

namespace {

constexpr int kFolderImage = 0;
constexpr int kFileImage = 1;
constexpr int kConnectionTries = 2;
constexpr DWORD kConnectionTryPauseMs = 5;
constexpr DWORD kDisconnectionWaitMs = 5000;
constexpr wchar_t kUnknownCapacity[] = L"0 KB";
constexpr wchar_t kPercentSign[] = L"%";
constexpr wchar_t kLabelGap[] = L"  ";

// The controls a refresh rewrites, which the user must not edit meanwhile.
constexpr int kControlsLockedDuringRefresh[] = {
    TUNEPANE_IDC_MP3_LIST,    TUNEPANE_IDC_ADD_DIRECTORY, TUNEPANE_IDC_ADD_MP3,   TUNEPANE_IDC_RANDOM,
    TUNEPANE_IDC_FREE_SLIDER, TUNEPANE_IDC_DELETE_ALL,    TUNEPANE_IDC_PHONE_PATH};

}  // namespace

void CMp3PropertyPage::StartPageUpdata()
{
    if (m_refresh.Disconnected()) {
        return;
    }
    TOLV_LOG_IF_FAILED(m_refresh.Schedule(static_cast<IPropertyPage2*>(this), [this] { RefreshPhoneSide(); }));
}

void CMp3PropertyPage::OnDisconnection()
{
    m_refresh.Disconnect(kDisconnectionWaitMs);
}

HRESULT CMp3PropertyPage::CreateVolume(com_ptr<IKivVolume2>& volume)
{
    // The proxy reaches Kivlink, a local server that may be just ending: such a refusal passes.
    // A proxy without the interface is no failure: the page then shows no phone.
    const HRESULT hr = tolv::com::CreateInstanceRetrying(plugins::kKivProxyServerClsid, plugins::kAnyServer, volume);
    return hr == E_NOINTERFACE ? S_OK : hr;
}

void CMp3PropertyPage::RefreshPhoneSide()
{
    for (const int id : kControlsLockedDuringRefresh) {
        EnableWindow(DialogControl(id), FALSE);
    }
    TransferUpdataThread();
    for (const int id : kControlsLockedDuringRefresh) {
        EnableWindow(DialogControl(id), TRUE);
    }
}

void CMp3PropertyPage::TransferUpdataThread()
{
    if (Disconnected()) {
        return;
    }
    EnableWindow(DialogControl(TUNEPANE_IDC_LOAD_BUTTON), FALSE);
    plugins::WaitCursor wait;
    com_ptr<IKivVolume2> volume;
    TOLV_LOG_IF_FAILED(CreateVolume(volume));
    CMp3Device device(m_trace);
    device.SetVolume(volume);

    if (Disconnected()) {
        return;
    }
    ShowSettings(ReadSettings());

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
    long freeSpace = 0;
    long capacity = 0;
    std::wstring capacityText = kUnknownCapacity;
    if (connected) {
        capacityText = device.GetMemoryState(freeSpace, capacity);
        // No drive information: the phone cannot take files now.
        connected = capacity != 0;
    }

    if (Disconnected()) {
        return;
    }
    const std::wstring drive = connected ? device.DriveTest() : std::wstring();
    std::wstring targetPath;
    {
        auto_lock lock(m_lock);
        m_targetPath = drive + m_settings.phonePath;
        m_freeSpace = freeSpace;
        m_capacity = capacity;
        m_connected = connected;
        targetPath = m_targetPath;
    }

    if (Disconnected()) {
        return;
    }
    SetWindowTextW(DialogControl(TUNEPANE_IDC_PHONE_PATH), targetPath.c_str());
    EnableWindow(DialogControl(TUNEPANE_IDC_LOAD_BUTTON), connected ? TRUE : FALSE);
    const std::wstring capacityLine = m_texts.cardCapacity + kLabelGap + capacityText;
    SetWindowTextW(DialogControl(TUNEPANE_IDC_CAPACITY_TEXT), capacityLine.c_str());
}

void CMp3PropertyPage::ShowSettings(const Mp3Settings& settings)
{
    HWND dialog = Dialog();
    if (dialog == nullptr) {
        return;
    }
    CheckDlgButton(dialog, TUNEPANE_IDC_DELETE_ALL, settings.deleteAll == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, TUNEPANE_IDC_RANDOM, settings.randomSelection == 1 ? BST_CHECKED : BST_UNCHECKED);
    FillList(settings.rows);
    SendMessageW(GetDlgItem(dialog, TUNEPANE_IDC_FREE_SLIDER), TBM_SETPOS, TRUE, settings.memoryToFill);
    ShowFreeMemory(settings.memoryToFill);
    m_lastMemoryToFill = settings.memoryToFill;
}

void CMp3PropertyPage::FillList(const std::vector<Mp3Row>& rows)
{
    HWND list = DialogControl(TUNEPANE_IDC_MP3_LIST);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    int index = 0;
    for (const Mp3Row& row : rows) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = index;
        item.pszText = const_cast<wchar_t*>(row.directory.c_str());
        item.iImage = IsFolderRow(row) ? kFolderImage : kFileImage;
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        LVITEMW name{};
        name.iSubItem = 1;
        name.pszText = const_cast<wchar_t*>(row.name.c_str());
        SendMessageW(list, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&name));
        ++index;
    }
}

void CMp3PropertyPage::ShowFreeMemory(int percentage)
{
    wchar_t text[256] = {};
    swprintf(text, std::size(text), L"%ls  %i %ls", m_texts.remainingFreeMemory.c_str(), percentage, kPercentSign);
    SetWindowTextW(DialogControl(TUNEPANE_IDC_FREE_TEXT), text);
}

}  // namespace tolv::tunepane
