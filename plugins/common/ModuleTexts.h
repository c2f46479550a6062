#pragma once
// A plug-in's texts from its string table: ANSI as the resources give them, wide for
// the windows. An id without a text gives what IModuleResource::LoadString leaves.
#include <windows.h>

#include <string>

class IModuleResource;

namespace tolv::plugins {

std::string AnsiText(IModuleResource& texts, UINT id);
std::wstring WideText(IModuleResource& texts, UINT id);

}  // namespace tolv::plugins
