#pragma once
// What the phone-folder chooser reads of the phone: its drives and the folders in a folder,
// through a proxy object of the calling thread. Blocks while the phone answers.
#include "KivlinkLib.h"

#include <string>
#include <vector>

namespace tolv::photopane {

// The phone's drives ("C:", "E:") in the order the phone lists them; the failure otherwise.
HRESULT ListPhoneDrives(IKivVolume2& volume, std::vector<std::wstring>& drives);

// The names of the folders directly in `folder` (a drive "E:" or a folder "E:\Images"), files
// left out; the listing's failure otherwise. A listing names files and folders alike, so the
// entries are told apart by their descriptions, as few of them as the listing's order allows.
HRESULT ListChildFolders(IKivVolume2& volume, const std::wstring& folder, std::vector<std::wstring>& folders);

}  // namespace tolv::photopane
