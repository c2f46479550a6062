#pragma once
// What an upload job needs of the page that owns it. The page implements it; the job calls it
// from its own thread (never the page's window thread), so every method must be safe there.
#include <windows.h>

#include <string>

#include "plugins/tunepane/Mp3Settings.h"

namespace tolv::tunepane {

class IMp3JobSite {
public:
    // The stored settings, read again now (the page's GetIniData).
    virtual Mp3Settings ReadSettings() = 0;
    // Drive + phone path as the page's last refresh computed it (the Load button's job).
    virtual std::wstring LastTargetPath() const = 0;
    // The Load button while the page has a window, else null.
    virtual HWND LoadButton() const = 0;
    // Set while the host reports a phone of the supported model.
    virtual bool FrameworkConnected() const = 0;
    // Set once the host disconnected the plug-in.
    virtual bool Disconnected() const = 0;

protected:
    ~IMp3JobSite() = default;
};

}  // namespace tolv::tunepane
