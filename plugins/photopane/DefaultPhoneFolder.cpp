#include "DefaultPhoneFolder.h"

#include "PhotopaneStringIds.h"
#include "ui/AnsiText.h"

#include <windows.h>

namespace tolv::photopane {

std::wstring DefaultPhoneFolder(const std::wstring& drive, IModuleResource& texts)
{
    const bool onCard = CompareStringOrdinal(drive.c_str(), -1, kMemoryCardDrive, -1, TRUE) == CSTR_EQUAL;
    std::string folder;
    // A missing text comes back as a failure line, which must not become part of a path.
    if (texts.LoadString(onCard ? IDS_CARD_PHOTO_FOLDER : IDS_PHONE_MEMORY_PHOTO_FOLDER, folder) == 0)
        folder.clear();
    return drive + tolv::ui::AnsiToWide(folder);
}

}  // namespace tolv::photopane
