#pragma once
// The photo download job as its starters see it: the tool button (through the host's Show),
// the scheduler's task adapter and the page's "Download START" button. The page owns one; the
// job reaches the page back through IPhotoJobSite.
#include <windows.h>

#include <memory>

#include "plugins/common/TransferJobResult.h"
#include "plugins/photopane/PhotoJobSite.h"

class CTolvTrace;
class IModuleResource;

namespace tolv::photopane {

class IPhotoDownload {
public:
    virtual ~IPhotoDownload() = default;
    // The whole job on the calling thread, which must not be the page's window thread; with
    // `isButton` the small "in progress" window is shown while the job looks at the phone.
    // Refused (kJobDoneOrNothingToDo) while another job runs.
    virtual plugins::TransferJobResult StartScheduler(bool isButton) = 0;
    // "Download START": the job on a worker thread of its own, from the phone folder of the
    // page's last refresh. False when a job is already in progress.
    virtual bool StartDownload() = 0;
    // True from a job's start to its end (the host may not close meanwhile).
    virtual bool Running() const = 0;
};

// The job of `site`. `texts` (the plug-in's texts in the user's language) and `trace` must
// outlive it; `resources` is the module with the job's dialogs and animation (res/PhotoJob.rc).
std::unique_ptr<IPhotoDownload> CreatePhotoDownload(IPhotoJobSite& site, IModuleResource& texts, CTolvTrace* trace,
                                                    HINSTANCE resources);

}  // namespace tolv::photopane
