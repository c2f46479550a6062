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
    FileCopy steps;
    steps.file = [this](int index) {
        const Mp3TransferRecord& record = m_list[static_cast<size_t>(index)];
        return FileStep{record.SourcePath(), m_targetFolder + record.targetName};
    };
    steps.copy = [this](const FileStep& step) { return m_device.CopyFromPC(step.source, step.destination); };
    steps.skippedSilently = &IsSkippedSilently;
    steps.reportFailure = [this](HRESULT hr) { return ErrorToMessage(m_texts, nullptr, hr, true); };
    if (m_page)
        steps.hostReportsPhone = [this] { return m_page->FrameworkConnected(); };
    CopyFiles(static_cast<int>(m_list.size()), steps);
}

}  // namespace tolv::tunepane
