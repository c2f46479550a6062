#include "tests/envserver/ServerProcess.h"

#include <tlhelp32.h>

std::vector<DWORD> EnvServerProcessIds()
{
    std::vector<DWORD> ids;
    const tolv::com::unique_handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.valid()) {
        return ids;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
        if (_wcsicmp(entry.szExeFile, L"envserver.exe") == 0) {
            ids.push_back(entry.th32ProcessID);
        }
    }
    return ids;
}

std::vector<tolv::com::unique_handle> OpenEnvServerProcesses()
{
    std::vector<tolv::com::unique_handle> processes;
    for (DWORD id : EnvServerProcessIds()) {
        tolv::com::unique_handle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
        if (process.valid()) {
            processes.push_back(std::move(process));
        }
    }
    return processes;
}

bool WaitForNoEnvServer(DWORD milliseconds)
{
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    while (!EnvServerProcessIds().empty()) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(100);
    }
    return true;
}
