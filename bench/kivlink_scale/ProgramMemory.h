#pragma once
// The memory of a running program found by its name, as Task Manager shows it: the working
// set (what is resident now, which the system may trim at any time) and the private bytes
// (PagefileUsage: what the process has committed for itself, the better sign of a leak).
#include <windows.h>

#include <string>

struct ProgramMemory {
    DWORD processId = 0;
    SIZE_T workingSet = 0;
    SIZE_T privateBytes = 0;
};

// False, with the reason in `problem`, unless exactly one process of that program runs and
// its counters can be read.
bool ReadProgramMemory(const wchar_t* program, ProgramMemory& memory, std::string& problem);
