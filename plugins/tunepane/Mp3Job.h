#pragma once
// CMp3Job: the upload behind IMp3Upload (Mp3Upload.h). The page owns it; a job runs on its
// starter's thread (the scheduler's, the tool button's worker) or on the Load button's worker
// thread, which the job owns and joins when it goes. Each job thread joins a single-threaded
// apartment and makes its own proxy object; the progress dialog adds the transfer thread.
//
// The guards, the Load button's thread and the small window are the transfer jobs' common
// frame (plugins/common/TransferJob.h).
#include "plugins/common/TransferJob.h"
#include "plugins/tunepane/Mp3Upload.h"

namespace tolv::tunepane {

class CMp3Job final : public IMp3Upload, private plugins::CTransferJob {
public:
    CMp3Job(IMp3JobSite& site, IModuleResource& texts, CTolvTrace* trace, HINSTANCE resources);
    ~CMp3Job() override;

    Mp3JobResult StartScheduler(bool isButton) override { return CTransferJob::StartScheduler(isButton); }
    bool StartDownload() override { return StartOnPageButton(); }
    bool Running() const override { return Busy(); }

private:
    HWND PageButton() const override { return m_site.LoadButton(); }
    bool PageDisconnected() const override { return m_site.Disconnected(); }
    std::wstring LoadingCaption() const override;
    std::wstring LoadingText() const override;
    plugins::TransferJobResult RunSteps(plugins::JobStarter starter, tolv::ui::unique_window& loading) override;
    void Trace(const char* text) const;

    IMp3JobSite& m_site;
    IModuleResource& m_texts;
    CTolvTrace* m_trace;
    HINSTANCE m_resources;
};

}  // namespace tolv::tunepane
