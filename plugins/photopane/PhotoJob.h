#pragma once
// CPhotoJob: the download behind IPhotoDownload (PhotoDownload.h). The page owns it; a job runs
// on its starter's thread (the scheduler's, the tool button's worker) or on the "Download
// START" button's worker thread, which the job owns and joins when it goes. Each job thread
// joins a single-threaded apartment and makes its own proxy object; the progress dialog adds
// the transfer thread.
//
// The guards (job possible, button job started) are atomic flags: a second start while a job
// runs is refused, whoever asks.
#include "plugins/common/WorkerThread.h"
#include "plugins/photopane/PhotoDownload.h"

#include "ui/UniqueWindow.h"

#include <atomic>
#include <string>

namespace tolv::photopane {

class CPhotoJob final : public IPhotoDownload {
public:
    CPhotoJob(IPhotoJobSite& site, IModuleResource& texts, CTolvTrace* trace, HINSTANCE resources);
    ~CPhotoJob() override;
    CPhotoJob(const CPhotoJob&) = delete;
    CPhotoJob& operator=(const CPhotoJob&) = delete;

    plugins::TransferJobResult StartScheduler(bool isButton) override;
    bool StartDownload() override;
    bool Running() const override { return !m_jobPossible || m_progressStarted; }

private:
    enum class Starter { Scheduler, ToolButton, DownloadButton };

    // The guards, the button and the wait cursor around RunSteps.
    plugins::TransferJobResult Run(Starter starter);
    // Closes `downloading` before anything else is shown.
    plugins::TransferJobResult RunSteps(Starter starter, tolv::ui::unique_window& downloading);
    void DownloadThread();
    // False, after the "path is invalid" box, when the PC folder is not an existing folder.
    bool CheckPcFolder(const std::wstring& pcFolder) const;
    void ShowNoPhotosFound() const;
    void EnableDownloadButton(bool enable) const;

    IPhotoJobSite& m_site;
    IModuleResource& m_texts;
    CTolvTrace* m_trace;
    HINSTANCE m_resources;
    std::atomic<bool> m_jobPossible{true};
    std::atomic<bool> m_progressStarted{false};
    // Last, so that a running button job ends before the rest goes.
    plugins::CWorkerThread m_download;
};

}  // namespace tolv::photopane
