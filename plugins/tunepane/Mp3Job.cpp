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
#include "res/TunepaneResources.h"

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
    : CTransferJob({resources, TUNEPANE_IDD_LOADING, TUNEPANE_IDC_LOADING_TEXT}),
      m_site(site),
      m_texts(texts),
      m_trace(trace),
      m_resources(resources)
{
}

CMp3Job::~CMp3Job()
{
    JoinPageButtonJob();
}

void CMp3Job::Trace(const char* text) const
{
    if (m_trace)
        m_trace->Format(kTraceLevel, "%s", text);
}

std::wstring CMp3Job::LoadingCaption() const
{
    return plugins::WideText(m_texts, IDS_TASK_NAME);
}

std::wstring CMp3Job::LoadingText() const
{
    return plugins::WideText(m_texts, IDS_LOADING_IN_PROGRESS);
}

Mp3JobResult CMp3Job::RunSteps(plugins::JobStarter starter, tolv::ui::unique_window& loading)
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
    const bool connected =
        starter == plugins::JobStarter::PageButton ? m_site.FrameworkConnected() : device.IsConnected();
    if (!connected) {
        loading.reset();
        ErrorToMessage(m_texts, nullptr, KIV_E_NOCONNECTION, true);
        return kJobFailed;
    }

    const Mp3Settings settings = m_site.ReadSettings();
    std::wstring targetPath;
    if (starter == plugins::JobStarter::PageButton) {
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
    dialog.SetCalledByButton(starter == plugins::JobStarter::ToolButton);
    // The scheduler's job has no page on screen whose phone state could stop it.
    if (starter != plugins::JobStarter::Scheduler)
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
