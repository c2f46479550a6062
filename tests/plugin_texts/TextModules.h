// The modules holding the plug-ins' string tables, loaded from beside the test program for the
// program's life.
#pragma once

#include <windows.h>

// Null when the module did not load.
HMODULE TunepaneTextsModule();
HMODULE PhotopaneTextsModule();
