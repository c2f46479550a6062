#pragma once
// The photo page's phone-folder chooser: a modal dialog that shows the phone's drives (the
// memory card as "MultiMediaCard (E:)") and, as the user opens them, their folders, read
// through the phone proxy. Runs on the calling thread, which must be a single-threaded
// apartment; `volume` must be that thread's own proxy object (CreatePhotoProxy) and is only
// borrowed. The dialog template PHOTOPANE_IDD_PHONE_FOLDER_CHOOSER (res/PhoneFolderChooser.rc)
// must be in the module this code is linked into.
#include "resources/IModuleResource.h"

#include "KivlinkLib.h"

#include <windows.h>

#include <string>

namespace tolv::photopane {

// True and the chosen folder ("E:\Images\Trip", a drive's root as "E:") when the user pressed
// OK on a folder; false when they cancelled, and when there is no phone to ask or the dialog
// could not be shown. The tree opens at `current`, or at the nearest folder above it that the
// phone has. `texts`
// gives the title and the Cancel button's text in the user's language.
bool ChoosePhoneFolder(HWND owner, IModuleResource& texts, IKivVolume2* volume, const std::wstring& current,
                       std::wstring& chosen);

}  // namespace tolv::photopane
