#pragma once
// What the MP3 upload and the photo download share around their steps: the guards that let one
// job run at a time, whoever starts it (the host's tool button, the scheduler, the page's
// button), the page button's job on a worker thread of its own, the apartment, the small "in
// progress" window of the tool button's job, the wait cursor, and the page's button disabled
// meanwhile. A job derives from it and supplies its steps.
//
// Threads: StartScheduler runs the job on the calling thread (never the page's window thread);
// StartOnPageButton on the worker thread the object owns. A derived job must call
// JoinPageButtonJob() in its destructor, so that a running button job ends before its members go.
#include "plugins/common/LoadingWindow.h"
#include "plugins/common/TransferJobResult.h"
#include "plugins/common/WorkerThread.h"

#include "ui/UniqueWindow.h"

#include <windows.h>

#include <atomic>
#include <string>

namespace tolv::plugins {

enum class JobStarter { Scheduler, ToolButton, PageButton };

class CTransferJob {
public:
    CTransferJob(const CTransferJob&) = delete;
    CTransferJob& operator=(const CTransferJob&) = delete;

    // The whole job on the calling thread; with `isButton` the small window is shown while
    // the job prepares. Refused (kJobDoneOrNothingToDo) while another job runs.
    TransferJobResult StartScheduler(bool isButton);
    // The page's button: the job on the worker thread. False when a job is in progress or the
    // page is disconnected.
    bool StartOnPageButton();
    // True from a job's start to its end.
    bool Busy() const { return !m_jobPossible || m_progressStarted; }

protected:
    // `loading`: the small window's dialog, in the job's resource module.
    explicit CTransferJob(const LoadingWindowTemplate& loading);
    ~CTransferJob();
    void JoinPageButtonJob() { m_pageButtonJob.Join(); }

    // The page's button while the page has a window, else null; enabled and disabled from the
    // job's thread.
    virtual HWND PageButton() const = 0;
    virtual bool PageDisconnected() const = 0;
    // The small window's caption and text, in the user's language.
    virtual std::wstring LoadingCaption() const = 0;
    virtual std::wstring LoadingText() const = 0;
    // The job's own steps, in the job's apartment; `loading` must be closed before anything
    // else is shown.
    virtual TransferJobResult RunSteps(JobStarter starter, tolv::ui::unique_window& loading) = 0;

private:
    TransferJobResult Run(JobStarter starter);
    void PageButtonThread();
    void EnablePageButton(bool enable) const;

    const LoadingWindowTemplate m_loading;
    std::atomic<bool> m_jobPossible{true};
    std::atomic<bool> m_progressStarted{false};
    CWorkerThread m_pageButtonJob;
};

}  // namespace tolv::plugins
