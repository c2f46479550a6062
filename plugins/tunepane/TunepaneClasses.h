#pragma once
// Tunepane's classes for the host and the scheduler: the shared plug-in classes with the MP3
// page, texts and answers.
#include "plugins/common/HostPlugInObjects.h"
#include "plugins/tunepane/Mp3PropertyPage.h"
#include "plugins/tunepane/TunepaneStringIds.h"
#include "TunepaneLib.h"

namespace tolv::tunepane {

struct TunepaneTraits {
    using Page = CMp3PropertyPage;
    static plugins::CPlugInApplication<Page>& Application();

    static constexpr const IID* kPlugInDispinterface = &DIID_ITolvTunepanePlugIn;
    static constexpr const IID* kCommandsDispinterface = &DIID_ITunepaneCommands;
    static constexpr const IID* kAdapterDispinterface = &DIID_IMp3PlugIntoScheduler;
    static constexpr UINT kToolTipId = IDS_TOOL_TIP;
    static constexpr UINT kTaskNameId = IDS_TASK_NAME;
    static constexpr UINT kCannotCloseTextId = IDS_CANNOT_CLOSE;
    static constexpr UINT kCannotCloseCaptionId = IDS_CAPTION_COPY_MP3;
    static constexpr UINT kCannotCloseIcon = MB_ICONWARNING;
    // The host names the button itself.
    static constexpr HRESULT kGetTitleResult = S_FALSE;
};

using CTolvTunepanePlugIn = plugins::CHostPlugIn<TunepaneTraits>;
using CTunepaneCommands = plugins::CHostCommands<TunepaneTraits>;
using CMp3PlugIntoScheduler = plugins::CTaskAdapter<TunepaneTraits>;

}  // namespace tolv::tunepane
