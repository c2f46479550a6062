// The router's ports and their state, kept in the registry so that every process sees the
// same ports (Kivlink switching them, phonesim listing them) and the state outlives the
// processes, as the router's own service would keep it: one DWORD per port under
// HKLM\Software\Vostrel\SmRouterController\Ports (1 enabled, 0 disabled) and, in
// "LastDisabled", the ports disabled since they were last re-enabled together. A named
// mutex makes each change one step for every process.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

namespace smrouter {

struct PortState {
    std::wstring name;
    bool enabled = false;
    // Disabled by DisablePort and waiting for EnableLastDisabledPorts.
    bool toResume = false;
};

// Every function answers a status: S_OK, the informational codes of SmRouterController.h,
// or a failure (the router not installed: 0x80070002).
class CRouterPortStore {
public:
    // The ports a PC has: COM1 to COM9.
    static std::vector<std::wstring> KnownPorts();

    // Writes the known ports, every one disabled, and forgets what waits to be resumed.
    static LONG Install() noexcept;
    static LONG Uninstall() noexcept;
    // S_OK when the router is installed.
    static LONG CheckInstalled() noexcept;

    static LONG Enable(const wchar_t* port) noexcept;
    static LONG Disable(const wchar_t* port) noexcept;
    static LONG EnableLastDisabled() noexcept;
    // Sorted by name.
    static LONG List(std::vector<PortState>& ports) noexcept;
};

}  // namespace smrouter
