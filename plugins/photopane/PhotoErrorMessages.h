#pragma once
// Photopane's messages for failed download steps.
#include "plugins/common/ErrorMessages.h"

namespace tolv::photopane {

// True when the failure ends the download.
bool ErrorToMessage(IModuleResource& resources, std::string* text, HRESULT hr, bool show);

}  // namespace tolv::photopane
