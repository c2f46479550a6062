#pragma once
// The MP3 upload job as its starters see it: the tool button (through the host's Show), the
// scheduler's task adapter and the page's Load button. The page owns one; the job reaches the
// page back through IMp3JobSite.
#include <windows.h>

#include <memory>

#include "plugins/tunepane/Mp3JobResult.h"
#include "plugins/tunepane/Mp3JobSite.h"

class CTolvTrace;
class IModuleResource;

namespace tolv::tunepane {

class IMp3Upload {
public:
    virtual ~IMp3Upload() = default;
    // The whole job on the calling thread, which must not be the page's window thread; with
    // `isButton` the small "in progress" window is shown while the list is built. Refused
    // (kJobDoneOrNothingToDo) while another job runs.
    virtual Mp3JobResult StartScheduler(bool isButton) = 0;
    // The Load button: the job on a worker thread of its own, with the target path of the
    // page's last refresh. False when a job is already in progress.
    virtual bool StartDownload() = 0;
    // True from a job's start to its end (the host may not close meanwhile).
    virtual bool Running() const = 0;
};

// The job of `site`. `texts` (the plug-in's texts in the user's language) and `trace` must
// outlive it; `resources` is the module with the job's dialogs and animation.
std::unique_ptr<IMp3Upload> CreateMp3Upload(IMp3JobSite& site, IModuleResource& texts, CTolvTrace* trace,
                                            HINSTANCE resources);

}  // namespace tolv::tunepane
