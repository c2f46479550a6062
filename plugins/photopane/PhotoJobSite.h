#pragma once
// What a photo download needs of the page that owns it. The page implements it; the job calls
// it from its own thread (never the page's window thread), so every method must be safe there.
#include <windows.h>

#include <string>

#include "plugins/photopane/PhotoSettings.h"

namespace tolv::photopane {

class IPhotoJobSite {
public:
    // The stored settings, read again now (the page's GetIniData).
    virtual PhotoSettings ReadSettings() = 0;
    // The phone folder the page's last refresh computed (the "Download START" job's source).
    virtual std::wstring LastPhoneFolder() const = 0;
    // The "Download START" button while the page has a window, else null.
    virtual HWND DownloadButton() const = 0;
    // Set while the host reports a phone of the supported model.
    virtual bool FrameworkConnected() const = 0;
    // Set once the host disconnected the plug-in.
    virtual bool Disconnected() const = 0;

protected:
    ~IPhotoJobSite() = default;
};

}  // namespace tolv::photopane
