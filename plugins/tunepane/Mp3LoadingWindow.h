#pragma once
// The small "Loading of MP3 files in progress" window (dialog 217) a job started from the tool
// button shows while it prepares the transfer. Modeless, on the job's thread, which must
// destroy it (the owner does so when it goes).
#include "ui/UniqueWindow.h"

#include <windows.h>

class IModuleResource;

namespace tolv::tunepane {

// The shown window, or an empty owner when the dialog could not be made.
tolv::ui::unique_window ShowLoadingWindow(HINSTANCE resources, IModuleResource& texts);

}  // namespace tolv::tunepane
