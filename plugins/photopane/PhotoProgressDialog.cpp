// The download's progress dialog: every photo of the phone folder into the PC folder, one after
// the other, on the dialog's transfer thread.
#include "PhotoProgressDialog.h"

#include "PhotoErrorMessages.h"
#include "PhotoProxy.h"
#include "PhotopaneStringIds.h"
#include "res/PhotopaneResources.h"

#include "plugins/common/ModuleTexts.h"

#include "resources/IModuleResource.h"

#include <vector>

namespace tolv::photopane {

namespace {

constexpr wchar_t kPathSeparator[] = L"\\";
// The radio index that switches a choice on.
constexpr int kChosen = 1;

// Failures that leave one photo out without a word: the user can do nothing about them here.
bool IsSkippedSilently(HRESULT hr)
{
    return hr == KIV_E_SERVICENOTSUPPORTED || hr == E_FAIL || hr == KIV_E_FILENOTFOUND || hr == E_ACCESSDENIED;
}

plugins::ProgressDialogTemplate DownloadDialog(HINSTANCE resources)
{
    return {resources,
            PHOTOPANE_IDD_PROGRESS,
            PHOTOPANE_IDC_ANIMATION,
            PHOTOPANE_IDC_PROGRESS_TEXT,
            PHOTOPANE_IDC_PROGRESS_BAR,
            PHOTOPANE_IDC_PROGRESS_CANCEL,
            PHOTOPANE_IDR_COPY_ANIMATION};
}

plugins::ProgressDialogTexts DownloadTexts(IModuleResource& texts)
{
    return {plugins::WideText(texts, IDS_CAPTION_COPY_PHOTOS), plugins::WideText(texts, IDS_CANCEL),
            plugins::WideText(texts, IDS_COPY_FROM_PHONE), plugins::WideText(texts, IDS_TO_PC)};
}

}  // namespace

CPhotoProgressDialog::CPhotoProgressDialog(HINSTANCE resources, IModuleResource& texts, CTolvTrace* trace)
    : CTransferProgressDialog(DownloadDialog(resources), DownloadTexts(texts), trace),
      m_texts(texts),
      m_device(trace)
{
}

void CPhotoProgressDialog::SetFolders(std::wstring phoneFolder, std::wstring pcFolder)
{
    m_phoneFolder = std::move(phoneFolder);
    m_pcFolder = std::move(pcFolder);
}

void CPhotoProgressDialog::SetChoices(int overwrite, int move)
{
    m_overwrite = overwrite;
    m_move = move;
}

std::wstring CPhotoProgressDialog::SourceOf(const std::wstring& name) const
{
    return m_phoneFolder + kPathSeparator + name;
}

HRESULT CPhotoProgressDialog::CreateVolume(tolv::com::com_ptr<IKivVolume2>& volume)
{
    return CreatePhotoProxy(volume);
}

void CPhotoProgressDialog::BeginTransfer(IKivVolume2* volume)
{
    m_device.SetVolume(tolv::com::com_ptr<IKivVolume2>(volume));
    if (!m_photos.empty())
        ShowPaths(SourceOf(m_photos.begin()->second), m_pcFolder);
}

void CPhotoProgressDialog::EndTransfer()
{
    m_device.SetVolume(nullptr);
}

void CPhotoProgressDialog::Transfer(IKivVolume2* volume)
{
    if (m_photos.empty()) {
        if (!volume)
            ErrorToMessage(m_texts, nullptr, E_POINTER, true);
        return;
    }
    std::vector<std::wstring> names;
    for (const auto& entry : m_photos)
        names.push_back(entry.second);
    FileCopy steps;
    // The PC folder, not a file name: the server keeps the photo's name (or finds a new one).
    steps.file = [&](int index) { return FileStep{SourceOf(names[static_cast<size_t>(index)]), m_pcFolder}; };
    steps.copy = [this](const FileStep& step) {
        return m_device.CopyToPC(step.source, step.destination, m_overwrite == kChosen, m_move == kChosen);
    };
    steps.skippedSilently = &IsSkippedSilently;
    steps.reportFailure = [this](HRESULT hr) { return ErrorToMessage(m_texts, nullptr, hr, true); };
    if (m_page)
        steps.hostReportsPhone = [this] { return m_page->FrameworkConnected(); };
    steps.successCompletesFile = true;
    CopyFiles(static_cast<int>(names.size()), steps);
}

}  // namespace tolv::photopane
