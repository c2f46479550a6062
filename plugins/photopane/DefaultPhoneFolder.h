#pragma once
// The phone folder the photos come from when the user has not chosen one: it depends on the
// drive the phone client found (the memory card before the phone memory).
#include "resources/IModuleResource.h"

#include <string>

namespace tolv::photopane {

// The memory card's drive; any other drive is phone memory.
inline constexpr wchar_t kMemoryCardDrive[] = L"E:";

// On the card (`drive` "E:" in any letter case) the drive and the card's photo folder text
// ("\Images"), on any other drive the drive and the phone memory's ("\Nokia\Images"), both
// from `texts`. The caller decides what an empty drive means.
std::wstring DefaultPhoneFolder(const std::wstring& drive, IModuleResource& texts);

}  // namespace tolv::photopane
