// Finding the envserver.exe process that serves this test, to watch it end.
#pragma once

#include <vector>

#include <windows.h>

#include "com/UniqueHandle.h"

// Ids of the running processes named envserver.exe.
std::vector<DWORD> EnvServerProcessIds();

// A handle to wait on for the one running envserver.exe; empty when there is not exactly one.
tolv::com::unique_handle OpenTheEnvServerProcess();

// Waits until no envserver.exe runs; false if one still runs after `milliseconds`.
bool WaitForNoEnvServer(DWORD milliseconds);
