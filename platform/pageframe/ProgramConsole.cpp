#include "platform/pageframe/ProgramConsole.h"

#include <cstdio>
#include <memory>

#include <windows.h>
#include <shellapi.h>

namespace pageframe {

namespace {

struct ArgvFreer {
    void operator()(LPWSTR* argv) const noexcept { LocalFree(argv); }
};

}  // namespace

std::vector<std::wstring> ProgramArguments()
{
    int count = 0;
    const std::unique_ptr<LPWSTR, ArgvFreer> argv(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::wstring> result;
    for (int index = 1; argv && index < count; ++index) {
        result.emplace_back(argv.get()[index]);
    }
    return result;
}

void ReportOnStandardError(const std::wstring& line)
{
    fwprintf(stderr, L"%ls", line.c_str());
    fflush(stderr);
}

}  // namespace pageframe
