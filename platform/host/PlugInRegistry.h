// The plug-ins the host loads, as HKCU "Software\Vostrel\Pellary\PlugIns" lists them.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

namespace host {

struct PlugInEntry {
    // The subkey's name, e.g. "Tunepane": the plug-in's name in the host.
    std::wstring name;
    CLSID clsid{};
    std::wstring description;
};

// The listed plug-ins in the order of their names (the key's own order is the registry's
// business). A subkey without a readable class identifier is traced and left out; no key at
// all is an empty list.
std::vector<PlugInEntry> ReadPlugInEntries(HKEY root, const wchar_t* keyPath);

}  // namespace host
