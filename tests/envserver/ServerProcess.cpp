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

tolv::com::unique_handle OpenTheEnvServerProcess()
{
    const std::vector<DWORD> ids = EnvServerProcessIds();
    if (ids.size() != 1) {
        return {};
    }
    return tolv::com::unique_handle(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ids[0]));
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
