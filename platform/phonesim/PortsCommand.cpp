#include "platform/phonesim/PortsCommand.h"

#include <cwchar>

#include "platform/smrouter/RouterPortStore.h"

namespace phonesim {

namespace {

ControlResult Refused(const wchar_t* what, LONG status)
{
    wchar_t text[96];
    swprintf(text, 96, L"phonesim: %ls failed (0x%08lX)\n", what, static_cast<unsigned long>(status));
    return ControlResult{1, L"", text};
}

}  // namespace

ControlResult RunPortsCommand(const Command& command)
{
    if (command.resetPorts) {
        const LONG status = smrouter::CRouterPortStore::Install();
        return FAILED(status) ? Refused(L"resetting the router's ports", status) : ControlResult{};
    }
    std::vector<smrouter::PortState> ports;
    const LONG status = smrouter::CRouterPortStore::List(ports);
    if (FAILED(status)) {
        return Refused(L"reading the router's ports", status);
    }
    std::wstring text;
    for (const smrouter::PortState& port : ports) {
        text += port.name;
        text += port.enabled ? L" enabled" : L" disabled";
        text += port.toResume ? L" (to resume)\n" : L"\n";
    }
    return ControlResult{0, text, L""};
}

}  // namespace phonesim
