#pragma once
// Photopane's classes for the host and the scheduler: the shared plug-in classes with the photo
// page, texts and answers.
#include "plugins/common/HostPlugInObjects.h"
#include "plugins/photopane/PicturesPropertyPage.h"
#include "plugins/photopane/PhotopaneStringIds.h"
#include "PhotopaneLib.h"

namespace tolv::photopane {

struct PhotopaneTraits {
    using Page = CPicturesPropertyPage;
    static plugins::CPlugInApplication<Page>& Application();

    static constexpr const IID* kPlugInDispinterface = &DIID_IPhotopanePlugIn;
    static constexpr const IID* kCommandsDispinterface = &DIID_IPhotopaneCommands;
    static constexpr const IID* kAdapterDispinterface = &DIID_IPicturesPlugInToScheduler;
    static constexpr UINT kToolTipId = IDS_TOOL_TIP;
    static constexpr UINT kTaskNameId = IDS_TASK_NAME;
    static constexpr UINT kCannotCloseTextId = IDS_CANNOT_CLOSE;
    static constexpr UINT kCannotCloseCaptionId = IDS_CAPTION_COPY_PHOTOS;
    static constexpr UINT kCannotCloseIcon = MB_ICONINFORMATION;
    static constexpr HRESULT kGetTitleResult = E_NOTIMPL;
};

using CPhotopanePlugIn = plugins::CHostPlugIn<PhotopaneTraits>;
using CPhotopaneCommands = plugins::CHostCommands<PhotopaneTraits>;
using CPicturesPlugInToScheduler = plugins::CTaskAdapter<PhotopaneTraits>;

}  // namespace tolv::photopane
