#include "Mp3Job.h"

#include "Mp3Collection.h"
#include "Mp3Device.h"
#include "Mp3ErrorMessages.h"
#include "Mp3JobMessages.h"
#include "Mp3TransferListBuilder.h"
#include "ProgresPCTelefon.h"
#include "plugins/common/ModuleTexts.h"
#include "TunepaneStringIds.h"

#include "plugins/common/ConnectionLoss.h"
#include "plugins/common/KivProxyServer.h"
#include "plugins/common/LoadingWindow.h"
#include "plugins/common/WaitCursor.h"
#include "res/TunepaneResources.h"

#include "com/ComInit.h"
#include "resources/IModuleResource.h"
#include "trace/TolvTrace.h"

using tolv::com::com_ptr;

namespace tolv::tunepane {

namespace {

constexpr int kTraceLevel = 3;

}  // namespace

std::unique_ptr<IMp3Upload> CreateMp3Upload(IMp3JobSite& site, IModuleResource& texts, CTolvTrace* trace,
                                            HINSTANCE resources)
{
    return std::make_unique<CMp3Job>(site, texts, trace, resources);
}

CMp3Job::CMp3Job(IMp3JobSite& site, IModuleResource& texts, CTolvTrace* trace, HINSTANCE resources)
    : m_site(site),
      m_texts(texts),
      m_trace(trace),
      m_resources(resources)
{
}

CMp3Job::~CMp3Job() = default;

void CMp3Job::Trace(const char* text) const
{
    if (m_trace)
        m_trace->Format(kTraceLevel, "%s", text);
}

void CMp3Job::EnableLoadButton(bool enable) const
{
    // Sent to the page's thread, which keeps pumping while a job runs (the host cannot close
    // the page meanwhile).
    if (const HWND button = m_site.LoadButton())
        EnableWindow(button, enable ? TRUE : FALSE);
}

Mp3JobResult CMp3Job::StartScheduler(bool isButton)
{
    if (m_progressStarted)
        return kJobDoneOrNothingToDo;
    return Run(isButton ? Starter::ToolButton : Starter::Scheduler);
}

bool CMp3Job::StartDownload()
{
    if (Running() || m_site.Disconnected())
        return false;
    m_progressStarted = true;
    if (m_download.Start([this] { DownloadThread(); }))
        return true;
    m_progressStarted = false;
    return false;
}

void CMp3Job::DownloadThread()
{
    Run(Starter::LoadButton);
    EnableLoadButton(true);
    // Last: a new Load-button job joins this thread from the page's thread, which must not be
    // waiting then while this thread sends it the button's enabling.
    m_progressStarted = false;
}

Mp3JobResult CMp3Job::Run(Starter starter)
{
    if (!m_jobPossible.exchange(false))
        return kJobDoneOrNothingToDo;
    EnableLoadButton(false);
    Mp3JobResult result = kJobFailed;
    {
        const tolv::com::com_init com(COINIT_APARTMENTTHREADED);
        tolv::ui::unique_window loading;
        if (starter == Starter::ToolButton)
            loading = plugins::ShowLoadingWindow({m_resources, TUNEPANE_IDD_LOADING, TUNEPANE_IDC_LOADING_TEXT},
                                                 plugins::WideText(m_texts, IDS_TASK_NAME),
                                                 plugins::WideText(m_texts, IDS_LOADING_IN_PROGRESS));
        const plugins::WaitCursor wait;
        result = RunSteps(starter, loading);
    }
    m_jobPossible = true;
    EnableLoadButton(true);
    return result;
}

Mp3JobResult CMp3Job::RunSteps(Starter starter, tolv::ui::unique_window& loading)
{
    com_ptr<IKivVolume2> volume;
    const HRESULT created = plugins::CreateKivProxyRetrying(plugins::kAnyServer, volume);
    if (FAILED(created) && m_trace)
        m_trace->Format(kTraceLevel, "  Error KivProxyServer not created (0x%08X)", static_cast<unsigned>(created));
    CMp3Device device(m_trace);
    device.SetVolume(volume);
    if (!volume) {
        loading.reset();
        ErrorToMessage(m_texts, nullptr, E_POINTER, true);
        return kJobFailed;
    }
    // The Load button trusts the host's word on the phone; the others ask the phone.
    const bool connected = starter == Starter::LoadButton ? m_site.FrameworkConnected() : device.IsConnected();
    if (!connected) {
        loading.reset();
        ErrorToMessage(m_texts, nullptr, KIV_E_NOCONNECTION, true);
        return kJobFailed;
    }

    const Mp3Settings settings = m_site.ReadSettings();
    std::wstring targetPath;
    if (starter == Starter::LoadButton) {
        targetPath = m_site.LastTargetPath();
    } else {
        const std::wstring drive = device.DriveTest();
        if (!drive.empty())
            targetPath = drive + settings.phonePath;
    }
    const bool driveFound = !targetPath.empty();
    Mp3TransferList candidates;
    if (driveFound) {
        candidates = CollectMp3Files(settings.rows);
        if (candidates.empty())
            ShowNoMp3Found(m_texts);
    }

    CProgresPCTelefon dialog(m_resources, m_texts, m_trace);
    dialog.SetCalledByButton(starter == Starter::ToolButton);
    // The scheduler's job has no page on screen whose phone state could stop it.
    if (starter != Starter::Scheduler)
        dialog.SetPage(&m_site);

    HRESULT deleteFailure = S_OK;
    bool fatal = false;
    if (driveFound && settings.deleteAll) {
        const CMp3Device::ReadOnlyQuestion question{plugins::WideText(m_texts, IDS_DELETE_READ_ONLY),
                                                    plugins::WideText(m_texts, IDS_CAPTION_COPY_MP3)};
        deleteFailure = device.DeleteAll(targetPath, question);
        fatal = FAILED(deleteFailure) && plugins::IsConnectionLost(deleteFailure);
    }

    if (driveFound && candidates.empty()) {
        loading.reset();
        Trace("  Info no MP3 files in the selection");
        return kJobDoneOrNothingToDo;
    }
    Mp3Memory memory;
    bool canGoOn = false;
    if (driveFound && !fatal) {
        device.GetMemoryState(memory.freeSpace, memory.capacity);
        canGoOn = memory.capacity != 0 || device.IsConnected();
    }
    if (!canGoOn) {
        loading.reset();
        ErrorToMessage(m_texts, nullptr, FAILED(deleteFailure) ? deleteFailure : HRESULT{KIV_E_NOCONNECTION}, true);
        return kJobFailed;
    }

    Mp3TransferList list =
        BuildTransferList(std::move(candidates), memory, settings.memoryToFill, settings.randomSelection, m_texts);
    const bool nothingFits = list.empty();
    dialog.SetTransfer(targetPath + L"\\", std::move(list));
    loading.reset();
    if (nothingFits)
        return kJobDoneOrNothingToDo;
    dialog.DoModal();
    return dialog.CancelRequested() ? kJobCancelled : kJobDoneOrNothingToDo;
}

}  // namespace tolv::tunepane
