#include "tests/trace/TempFolder.h"

#include <windows.h>
#include <atomic>
#include <cstdio>
#include <stdexcept>

namespace tolv::trace::testing {

namespace {

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

CTempFolder::CTempFolder()
{
    static std::atomic<unsigned> sequence{0};
    char temp[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof(temp), temp);
    if (length == 0 || length > MAX_PATH)
        throw std::runtime_error("no temporary folder");
    char name[96];
    std::snprintf(name, sizeof(name), "pellary_trace_%lu_%u_%lu", GetCurrentProcessId(), sequence.fetch_add(1),
                  GetTickCount());
    m_path = std::string(temp) + name;
    if (!CreateDirectoryA(m_path.c_str(), nullptr))
        throw std::runtime_error("cannot create a temporary folder");
}

CTempFolder::~CTempFolder()
{
    RemoveTree(m_path);
}

}  // namespace tolv::trace::testing
