#include "PhotoJob.h"

#include "DefaultPhoneFolder.h"
#include "PhotoDevice.h"
#include "PhotoErrorMessages.h"
#include "PhotoProgressDialog.h"
#include "PhotoProxy.h"
#include "PhotopaneStringIds.h"
#include "res/PhotopaneResources.h"

#include "plugins/common/FolderPathRules.h"
#include "plugins/common/ModuleTexts.h"

#include "resources/IModuleResource.h"
#include "trace/TolvTrace.h"
#include "ui/MessageBoxSeam.h"

using tolv::com::com_ptr;
using tolv::plugins::kJobCancelled;
using tolv::plugins::kJobDoneOrNothingToDo;
using tolv::plugins::kJobFailed;
using tolv::plugins::TransferJobResult;

namespace tolv::photopane {

namespace {

constexpr int kTraceLevel = 3;
constexpr wchar_t kInvalidPathSeparator[] = L" - ";

}  // namespace

std::unique_ptr<IPhotoDownload> CreatePhotoDownload(IPhotoJobSite& site, IModuleResource& texts, CTolvTrace* trace,
                                                    HINSTANCE resources)
{
    return std::make_unique<CPhotoJob>(site, texts, trace, resources);
}

CPhotoJob::CPhotoJob(IPhotoJobSite& site, IModuleResource& texts, CTolvTrace* trace, HINSTANCE resources)
    : CTransferJob({resources, PHOTOPANE_IDD_DOWNLOADING, PHOTOPANE_IDC_DOWNLOADING_TEXT}),
      m_site(site),
      m_texts(texts),
      m_trace(trace),
      m_resources(resources)
{
}

CPhotoJob::~CPhotoJob()
{
    JoinPageButtonJob();
}

std::wstring CPhotoJob::LoadingCaption() const
{
    return plugins::WideText(m_texts, IDS_TASK_NAME);
}

std::wstring CPhotoJob::LoadingText() const
{
    return plugins::WideText(m_texts, IDS_DOWNLOADING_IN_PROGRESS);
}

bool CPhotoJob::CheckPcFolder(const std::wstring& pcFolder) const
{
    if (plugins::IsExistingFolder(pcFolder))
        return true;
    const std::wstring text = pcFolder + kInvalidPathSeparator + plugins::WideText(m_texts, IDS_INVALID_PATH);
    tolv::ui::ShowMessageBox(nullptr, text.c_str(), plugins::WideText(m_texts, IDS_YOUR_PC).c_str(),
                             MB_OK | MB_ICONWARNING);
    return false;
}

void CPhotoJob::ShowNoPhotosFound() const
{
    tolv::ui::ShowMessageBox(nullptr, plugins::WideText(m_texts, IDS_NO_PHOTOS_FOUND).c_str(),
                             plugins::WideText(m_texts, IDS_YOUR_PC).c_str(), MB_OK | MB_ICONWARNING | MB_SYSTEMMODAL);
}

TransferJobResult CPhotoJob::RunSteps(plugins::JobStarter starter, tolv::ui::unique_window& downloading)
{
    const PhotoSettings settings = m_site.ReadSettings();
    const bool byDownloadButton = starter == plugins::JobStarter::PageButton;
    if (byDownloadButton && !CheckPcFolder(settings.pcFolder))
        return kJobDoneOrNothingToDo;

    com_ptr<IKivVolume2> volume;
    const HRESULT created = CreatePhotoProxy(volume);
    if (FAILED(created) && m_trace)
        m_trace->Format(kTraceLevel, "  Error KivProxyServer not created (0x%08X)", static_cast<unsigned>(created));
    CPhotoDevice device(m_trace);
    device.SetVolume(volume);
    if (!volume || !device.IsConnected()) {
        downloading.reset();
        ErrorToMessage(m_texts, nullptr, volume ? HRESULT{KIV_E_NOCONNECTION} : E_POINTER, true);
        return kJobFailed;
    }

    // The button takes the folder the page shows; the others choose by the drive found now.
    std::wstring phoneFolder;
    if (byDownloadButton) {
        phoneFolder = m_site.LastPhoneFolder();
    } else if (const std::wstring drive = device.DriveTest(); !drive.empty()) {
        phoneFolder = settings.phoneFolder.empty() ? DefaultPhoneFolder(drive, m_texts) : settings.phoneFolder;
    }
    const bool driveFound = !phoneFolder.empty();
    bool folderMissing = false;
    bool fatal = false;
    if (driveFound) {
        bool exists = false;
        const CPhotoDevice::MissingFolderWarning warning{plugins::WideText(m_texts, IDS_PHOTO_FOLDER_NOT_FOUND),
                                                         plugins::WideText(m_texts, IDS_CAPTION_COPY_PHOTOS)};
        const HRESULT hr = device.DirectoryExist(phoneFolder, exists, warning);
        // A missing folder or drive has had its box already.
        folderMissing = hr == KIV_E_FOLDERNOTFOUND || hr == KIV_E_DRIVENOTFOUND;
        if (FAILED(hr) && !folderMissing)
            fatal = ErrorToMessage(m_texts, nullptr, hr, true);
    }

    CPhotoProgressDialog dialog(m_resources, m_texts, m_trace);
    dialog.SetCalledByButton(starter == plugins::JobStarter::ToolButton);
    // The scheduler's job has no page on screen whose phone state could stop it.
    if (starter != plugins::JobStarter::Scheduler)
        dialog.SetPage(&m_site);
    dialog.SetFolders(phoneFolder, settings.pcFolder);

    bool canGoOn = driveFound && !fatal;
    std::map<int, std::wstring> photos;
    if (canGoOn && !folderMissing) {
        photos = device.GetDeviceData(phoneFolder);
        // An empty list may be a phone that has gone meanwhile.
        if (photos.empty())
            canGoOn = device.IsConnected();
    }

    if (folderMissing) {
        downloading.reset();
        return kJobDoneOrNothingToDo;
    }
    if (!canGoOn) {
        downloading.reset();
        ErrorToMessage(m_texts, nullptr, KIV_E_NOCONNECTION, true);
        return kJobFailed;
    }
    if (photos.empty() || settings.pcFolder.empty()) {
        downloading.reset();
        ShowNoPhotosFound();
        return kJobDoneOrNothingToDo;
    }
    dialog.SetChoices(settings.pcOverwrite, settings.keepOnDevice);
    dialog.SetPhotos(std::move(photos));
    downloading.reset();
    dialog.DoModal();
    return dialog.CancelRequested() ? kJobCancelled : kJobDoneOrNothingToDo;
}

}  // namespace tolv::photopane
