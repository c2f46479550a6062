#pragma once
// The test module with Tunepane's texts, the job's dialogs and its animation, loaded once per
// test program and kept until it ends.
#include "resources/ModuleResource.h"

#include <windows.h>

HINSTANCE JobResourceModule();
// The English texts of that module.
CModuleResource& JobTexts();
