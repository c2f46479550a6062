#pragma once
// CPhotoJob: the download behind IPhotoDownload (PhotoDownload.h). The page owns it; a job runs
// on its starter's thread (the scheduler's, the tool button's worker) or on the "Download
// START" button's worker thread, which the job owns and joins when it goes. Each job thread
// joins a single-threaded apartment and makes its own proxy object; the progress dialog adds
// the transfer thread.
//
// The guards, the button's thread and the small window are the transfer jobs' common frame
// (plugins/common/TransferJob.h).
#include "plugins/common/TransferJob.h"
#include "plugins/photopane/PhotoDownload.h"

#include <string>

namespace tolv::photopane {

class CPhotoJob final : public IPhotoDownload, private plugins::CTransferJob {
public:
    CPhotoJob(IPhotoJobSite& site, IModuleResource& texts, CTolvTrace* trace, HINSTANCE resources);
    ~CPhotoJob() override;

    plugins::TransferJobResult StartScheduler(bool isButton) override { return CTransferJob::StartScheduler(isButton); }
    bool StartDownload() override { return StartOnPageButton(); }
    bool Running() const override { return Busy(); }

private:
    HWND PageButton() const override { return m_site.DownloadButton(); }
    bool PageDisconnected() const override { return m_site.Disconnected(); }
    std::wstring LoadingCaption() const override;
    std::wstring LoadingText() const override;
    plugins::TransferJobResult RunSteps(plugins::JobStarter starter, tolv::ui::unique_window& downloading) override;
    // False, after the "path is invalid" box, when the PC folder is not an existing folder.
    bool CheckPcFolder(const std::wstring& pcFolder) const;
    void ShowNoPhotosFound() const;

    IPhotoJobSite& m_site;
    IModuleResource& m_texts;
    CTolvTrace* m_trace;
    HINSTANCE m_resources;
};

}  // namespace tolv::photopane
