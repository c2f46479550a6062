// kivctl: a command-line client of Kivlink's KivVolume2 class.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "com/ComInit.h"
#include "tools/kivctl/CommandLine.h"
#include "tools/kivctl/Commands.h"
#include "tools/kivctl/ConsoleOutput.h"
#include "tools/kivctl/ErrorText.h"
#include "tools/kivctl/EventLines.h"
#include "tools/kivctl/ExitCodes.h"
#include "tools/kivctl/UsageText.h"

namespace {

// The arguments after the program name, split as the C run-time would but never expanded
// ("rm C:\Images\*.jpg" reaches the server with its wildcard).
std::vector<std::wstring> Arguments()
{
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> arguments;
    if (words == nullptr) {
        return arguments;
    }
    for (int i = 1; i < count; ++i) {
        arguments.emplace_back(words[i]);
    }
    LocalFree(words);
    return arguments;
}

int Run()
{
    KivctlCommandLine line;
    std::wstring problem;
    if (!ParseCommandLine(Arguments(), line, problem)) {
        WriteErrorLine(L"kivctl: " + problem);
        WriteErrorLine(UsageHint());
        return kExitUsage;
    }
    if (line.command == KivctlCommand::Help) {
        WriteOut(UsageText());
        return kExitSuccess;
    }
    // Events come back as calls into this thread while it waits in its own calls.
    tolv::com::com_init com(COINIT_APARTMENTTHREADED);
    if (!com.succeeded()) {
        WriteErrorLine(std::wstring(L"kivctl: ") + CommandName(line.command) + L": " + SystemMessage(com.result()) +
                       L" (" + HResultText(com.result()) + L")");
        return kExitFailure;
    }
    return RunCommand(line);
}

}  // namespace

int main()
{
    try {
        return Run();
    } catch (...) {
        WriteErrorLine(L"kivctl: out of memory");
        return kExitFailure;
    }
}
