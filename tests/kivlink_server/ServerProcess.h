#pragma once
// Kivlink.exe from a test: it is built next to the test programs and started like any child
// (tests/support/ChildProcess.h); what its registration left in the registry.
#include "tests/support/ChildProcess.h"

#include <windows.h>

#include <string>

bool KeyExists(HKEY root, const std::wstring& path);
std::wstring ReadDefaultValue(HKEY root, const std::wstring& path, const wchar_t* value = nullptr);
