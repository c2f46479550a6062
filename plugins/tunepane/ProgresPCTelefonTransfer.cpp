// The upload's progress dialog: every file of the list to the phone, one after the other, on
// the dialog's transfer thread.
#include "ProgresPCTelefon.h"

#include "Mp3ErrorMessages.h"
#include "plugins/common/ModuleTexts.h"
#include "TunepaneStringIds.h"
#include "res/TunepaneResources.h"

#include "plugins/common/KivProxyServer.h"

#include "resources/IModuleResource.h"

namespace tolv::tunepane {

namespace {

// Failures that leave one file out without a word: the user can do nothing about them here.
bool IsSkippedSilently(HRESULT hr)
{
    return hr == KIV_E_SERVICENOTSUPPORTED || hr == KIV_E_FILENOTFOUND || hr == E_ACCESSDENIED;
}

plugins::ProgressDialogTemplate UploadDialog(HINSTANCE resources)
{
    return {resources,
            TUNEPANE_IDD_PROGRESS,
            TUNEPANE_IDC_ANIMATION,
            TUNEPANE_IDC_PROGRESS_TEXT,
            TUNEPANE_IDC_PROGRESS_BAR,
            TUNEPANE_IDC_PROGRESS_CANCEL,
            TUNEPANE_IDR_COPY_ANIMATION};
}

plugins::ProgressDialogTexts UploadTexts(IModuleResource& texts)
{
    return {plugins::WideText(texts, IDS_CAPTION_COPY_MP3), plugins::WideText(texts, IDS_CANCEL),
            plugins::WideText(texts, IDS_COPY_FROM_PC), plugins::WideText(texts, IDS_TO_THE_DEVICE)};
}

}  // namespace

CProgresPCTelefon::CProgresPCTelefon(HINSTANCE resources, IModuleResource& texts, CTolvTrace* trace)
    : CTransferProgressDialog(UploadDialog(resources), UploadTexts(texts), trace),
      m_texts(texts),
      m_device(trace)
{
}

void CProgresPCTelefon::SetTransfer(std::wstring targetFolder, Mp3TransferList list)
{
    m_targetFolder = std::move(targetFolder);
    m_list = std::move(list);
}

HRESULT CProgresPCTelefon::CreateVolume(tolv::com::com_ptr<IKivVolume2>& volume)
{
    return plugins::CreateKivProxyRetrying(plugins::kAnyServer, volume);
}

void CProgresPCTelefon::BeginTransfer(IKivVolume2* volume)
{
    m_device.SetVolume(tolv::com::com_ptr<IKivVolume2>(volume));
    if (!m_list.empty())
        ShowPaths(m_list.front().SourcePath(), m_targetFolder + m_list.front().targetName);
}

void CProgresPCTelefon::Transfer(IKivVolume2* volume)
{
    if (!volume)
        ErrorToMessage(m_texts, nullptr, E_POINTER, true);
    else
        CopyAll();
}

void CProgresPCTelefon::EndTransfer()
{
    m_device.SetVolume(nullptr);
}

void CProgresPCTelefon::CopyAll()
{
    const int count = static_cast<int>(m_list.size());
    if (count == 0)
        return;
    SetFileCount(count);
    bool errorShown = false;
    for (int index = 0; index < count; ++index) {
        const Mp3TransferRecord& record = m_list[static_cast<size_t>(index)];
        const std::wstring source = record.SourcePath();
        const std::wstring destination = m_targetFolder + record.targetName;
        if (m_page && !m_page->FrameworkConnected()) {
            Trace("  Info the host no longer reports the phone");
            break;
        }
        ShowPaths(source, destination);
        BeginFile(index);
        if (CancelRequested())
            break;
        if (m_page && !m_page->FrameworkConnected()) {
            if (!errorShown)
                ErrorToMessage(m_texts, nullptr, KIV_E_NOCONNECTION, true);
            break;
        }
        const HRESULT hr = m_device.CopyFromPC(source, destination);
        if (SUCCEEDED(hr))
            continue;
        if (hr == KIV_E_FILEEXISTSALREADY) {
            // The phone keeps its file; this file's share of the bar is done.
            CompleteFile();
            continue;
        }
        if (IsSkippedSilently(hr))
            continue;
        if (ErrorToMessage(m_texts, nullptr, hr, true)) {
            errorShown = true;
            break;
        }
    }
}

}  // namespace tolv::tunepane
