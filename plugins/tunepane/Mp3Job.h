#pragma once
// CMp3Job: the upload behind IMp3Upload (Mp3Upload.h). The page owns it; a job runs on its
// starter's thread (the scheduler's, the tool button's worker) or on the Load button's worker
// thread, which the job owns and joins when it goes. Each job thread joins a single-threaded
// apartment and makes its own proxy object; the progress dialog adds the transfer thread.
//
// The guards (job possible, Load-button job started) are atomic flags: a second start while a
// job runs is refused, whoever asks.
#include "plugins/tunepane/Mp3Upload.h"
#include "plugins/common/WorkerThread.h"

#include "ui/UniqueWindow.h"

#include <atomic>

namespace tolv::tunepane {

class CMp3Job final : public IMp3Upload {
public:
    CMp3Job(IMp3JobSite& site, IModuleResource& texts, CTolvTrace* trace, HINSTANCE resources);
    ~CMp3Job() override;
    CMp3Job(const CMp3Job&) = delete;
    CMp3Job& operator=(const CMp3Job&) = delete;

    Mp3JobResult StartScheduler(bool isButton) override;
    bool StartDownload() override;
    bool Running() const override { return !m_jobPossible || m_progressStarted; }

private:
    enum class Starter { Scheduler, ToolButton, LoadButton };

    // The guards, the Load button and the wait cursor around RunSteps.
    Mp3JobResult Run(Starter starter);
    // Closes `loading` before anything else is shown.
    Mp3JobResult RunSteps(Starter starter, tolv::ui::unique_window& loading);
    void DownloadThread();
    void EnableLoadButton(bool enable) const;
    void Trace(const char* text) const;

    IMp3JobSite& m_site;
    IModuleResource& m_texts;
    CTolvTrace* m_trace;
    HINSTANCE m_resources;
    std::atomic<bool> m_jobPossible{true};
    std::atomic<bool> m_progressStarted{false};
    // Last, so that a running Load-button job ends before the rest goes.
    plugins::CWorkerThread m_download;
};

}  // namespace tolv::tunepane
