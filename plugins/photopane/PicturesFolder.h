#pragma once
// The user's pictures folder as the shell's per-user folder list names it, the photos' default
// home on the PC.
#include <string>

namespace tolv::photopane {

// The "My Pictures" value under HKCU's Explorer "Shell Folders"; empty when it is not there.
std::wstring UserPicturesFolder();

}  // namespace tolv::photopane
