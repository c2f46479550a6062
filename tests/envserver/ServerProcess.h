// Finding the envserver.exe processes, to watch them end.
#pragma once

#include <vector>

#include <windows.h>

#include "com/UniqueHandle.h"

// Ids of the running processes named envserver.exe.
std::vector<DWORD> EnvServerProcessIds();

// Handles to wait on for every running envserver.exe.
std::vector<tolv::com::unique_handle> OpenEnvServerProcesses();

// Waits until no envserver.exe runs; false if one still runs after `milliseconds`.
bool WaitForNoEnvServer(DWORD milliseconds);
