#pragma once
// The small "in progress" window a job started from the tool button shows while it prepares
// the transfer (the plug-ins' "Loading of MP3 files", "Downloading of pictures"). Modeless, on
// the job's thread, which must destroy it (the owner does so when it goes).
#include "ui/UniqueWindow.h"

#include <windows.h>

#include <string>

namespace tolv::plugins {

// Which dialog of which module, and its one text control.
struct LoadingWindowTemplate {
    HINSTANCE module;
    int dialogId;
    int textControlId;
};

// The shown window with `caption` and `text`, or an empty owner when the dialog could not be made.
tolv::ui::unique_window ShowLoadingWindow(const LoadingWindowTemplate& dialog, const std::wstring& caption,
                                          const std::wstring& text);

}  // namespace tolv::plugins
