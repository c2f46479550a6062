#pragma once
// The job's texts from the plug-in's string table: ANSI as the resources give them, wide for
// the job's windows. An id without a text gives what IModuleResource::LoadString leaves.
#include <windows.h>

#include <string>

class IModuleResource;

namespace tolv::tunepane {

std::string AnsiText(IModuleResource& texts, UINT id);
std::wstring WideText(IModuleResource& texts, UINT id);

}  // namespace tolv::tunepane
