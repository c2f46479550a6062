#pragma once
// IHostCommands::CanCloseWindow must answer at once; the box that tells the user why the host
// cannot close yet therefore comes up on a thread of its own.
#include <windows.h>

#include <string>

namespace tolv::plugins {

void ShowMessageBoxOnNewThread(std::wstring text, std::wstring caption, UINT type);

}  // namespace tolv::plugins
