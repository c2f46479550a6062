// The host's command line:
//   PellaryHost [--page NAME] [--press NAME [--press-timeout MS]]   runs the host
//   PellaryHost /RegServer | /UnregServer                           (un)registers its type library
#pragma once

#include <string>
#include <vector>

namespace host {

enum class HostCommand { Run, Register, Unregister };

struct HostCommandLine {
    HostCommand command = HostCommand::Run;
    // The plug-in whose page is shown first; empty: the first page.
    std::wstring firstPagePlugIn;
    // The plug-in whose button is pressed as soon as it is enabled; empty: none.
    std::wstring pressPlugIn;
    unsigned long pressTimeoutMs;
};

// False, with the offending argument in `bad` (empty when an option's value is missing), for an
// unknown argument or a missing or malformed value.
bool ParseHostCommandLine(const std::vector<std::wstring>& arguments, HostCommandLine& parsed, std::wstring& bad);

}  // namespace host
