#pragma once
// What the settings store of a real user needs from the system: the profile named after the
// plug-in's module, the login name and the documents folder.
#include <windows.h>

#include <string>

#include "plugins/tunepane/Mp3SettingsStore.h"

class IModuleResource;

namespace tolv::tunepane {

// The module's base name with ".INI" ("Tunepane.INI"): a bare name, which the profile
// functions look for in the Windows folder. Empty when the module's name cannot be read.
std::wstring ProfileNameOf(HMODULE module);
// The login name (at most 256 characters); empty when the system does not tell.
std::wstring LoginName();
// The user's documents folder as the shell records it; empty when it is not recorded.
std::wstring DocumentsFolder();

// The store of the logged-in user in the profile of `module`, starting with the phone folder
// of the plug-in's texts and the documents folder.
CMp3SettingsStore CurrentUserStore(HMODULE module, IModuleResource& texts);

}  // namespace tolv::tunepane
