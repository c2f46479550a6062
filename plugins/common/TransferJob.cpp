#include "TransferJob.h"

#include "WaitCursor.h"

#include "com/ComInit.h"

namespace tolv::plugins {

CTransferJob::CTransferJob(const LoadingWindowTemplate& loading) : m_loading(loading) {}

CTransferJob::~CTransferJob() = default;

void CTransferJob::EnablePageButton(bool enable) const
{
    // Sent to the page's thread, which keeps pumping while a job runs (the host cannot close
    // the page meanwhile).
    if (const HWND button = PageButton())
        EnableWindow(button, enable ? TRUE : FALSE);
}

TransferJobResult CTransferJob::StartScheduler(bool isButton)
{
    if (m_progressStarted)
        return kJobDoneOrNothingToDo;
    return Run(isButton ? JobStarter::ToolButton : JobStarter::Scheduler);
}

bool CTransferJob::StartOnPageButton()
{
    if (Busy() || PageDisconnected())
        return false;
    m_progressStarted = true;
    if (m_pageButtonJob.Start([this] { PageButtonThread(); }))
        return true;
    m_progressStarted = false;
    return false;
}

void CTransferJob::PageButtonThread()
{
    Run(JobStarter::PageButton);
    EnablePageButton(true);
    // Last: a new button job joins this thread from the page's thread, which must not be
    // waiting then while this thread sends it the button's enabling.
    m_progressStarted = false;
}

TransferJobResult CTransferJob::Run(JobStarter starter)
{
    if (!m_jobPossible.exchange(false))
        return kJobDoneOrNothingToDo;
    EnablePageButton(false);
    TransferJobResult result = kJobFailed;
    {
        const tolv::com::com_init com(COINIT_APARTMENTTHREADED);
        tolv::ui::unique_window loading;
        if (starter == JobStarter::ToolButton)
            loading = ShowLoadingWindow(m_loading, LoadingCaption(), LoadingText());
        const WaitCursor wait;
        result = RunSteps(starter, loading);
    }
    m_jobPossible = true;
    EnablePageButton(true);
    return result;
}

}  // namespace tolv::plugins
