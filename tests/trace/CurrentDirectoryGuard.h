// Makes a folder the process's current directory until the end of the scope.
#pragma once
#include <windows.h>
#include <stdexcept>
#include <string>

namespace tolv::trace::testing {

class CCurrentDirectoryGuard {
public:
    explicit CCurrentDirectoryGuard(const std::string& folder)
    {
        char previous[MAX_PATH * 2];
        const DWORD length = GetCurrentDirectoryA(sizeof(previous), previous);
        if (length == 0 || length >= sizeof(previous) || !SetCurrentDirectoryA(folder.c_str()))
            throw std::runtime_error("cannot change the current directory");
        m_previous = previous;
    }
    ~CCurrentDirectoryGuard() { SetCurrentDirectoryA(m_previous.c_str()); }
    CCurrentDirectoryGuard(const CCurrentDirectoryGuard&) = delete;
    CCurrentDirectoryGuard& operator=(const CCurrentDirectoryGuard&) = delete;

private:
    std::string m_previous;
};

}  // namespace tolv::trace::testing
