#pragma once
// Tunepane's messages for failed upload steps.
#include "plugins/common/ErrorMessages.h"

namespace tolv::tunepane {

// True when the failure ends the upload.
bool ErrorToMessage(IModuleResource& resources, std::string* text, HRESULT hr, bool show);

}  // namespace tolv::tunepane
