// The test texts' module, loaded from beside the test program for the program's life.
#pragma once

#include <windows.h>

#include <string>

// The full path of PellaryTestTexts.dll.
std::wstring TestTextsPath();
// The module, loaded on first use; null when it did not load.
HMODULE TestTextsModule();
