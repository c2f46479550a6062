// The test texts' module notes where it was run from, so that a test can tell whether a
// loader ran its code or only mapped its resources.
#include <windows.h>

#include "tests/resources/TestTextIds.h"

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(module, path, MAX_PATH);
        SetEnvironmentVariableW(kLastAttachedVariable, path);
    }
    return TRUE;
}
