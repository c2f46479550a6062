#pragma once
// What "RegServer" writes and "UnregServer" removes: the application id, the four classes and
// the type library.
#include <windows.h>

HRESULT RegisterKivlink(HMODULE module);
HRESULT UnregisterKivlink(HMODULE module);
