#include "platform/host/PlugInRegistry.h"

#include <algorithm>
#include <new>

#include <objbase.h>

#include "platform/envserver/UniqueRegistryKey.h"
#include "platform/host/HostProtocol.h"
#include "platform/host/HostTrace.h"
#include "trace/WideToAnsi.h"

namespace host {

namespace {

// Registry names are at most 255 characters; class identifiers and descriptions fit in this.
constexpr DWORD kNameCapacity = 256;
constexpr DWORD kTextCapacity = 1024;

bool ReadString(HKEY key, const wchar_t* name, std::wstring& value)
{
    wchar_t text[kTextCapacity] = {};
    DWORD size = sizeof(text) - sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return false;
    }
    value = text;
    return true;
}

bool ReadEntry(HKEY list, const wchar_t* name, PlugInEntry& entry)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(list, name, 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return false;
    }
    const envserver::unique_hkey key(opened);
    std::wstring clsidText;
    if (!ReadString(key.get(), kPlugInClsidValue, clsidText) ||
        FAILED(CLSIDFromString(clsidText.c_str(), &entry.clsid))) {
        return false;
    }
    entry.name = name;
    // A plug-in without a description still loads; its page name is then empty.
    ReadString(key.get(), kPlugInDescriptionValue, entry.description);
    return true;
}

}  // namespace

std::vector<PlugInEntry> ReadPlugInEntries(HKEY root, const wchar_t* keyPath)
{
    std::vector<PlugInEntry> entries;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, keyPath, 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return entries;
    }
    const envserver::unique_hkey list(opened);
    try {
        for (DWORD index = 0;; ++index) {
            wchar_t name[kNameCapacity] = {};
            DWORD length = kNameCapacity;
            const LONG status = RegEnumKeyExW(list.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
            if (status == ERROR_NO_MORE_ITEMS) {
                break;
            }
            PlugInEntry entry;
            if (status != ERROR_SUCCESS || !ReadEntry(list.get(), name, entry)) {
                HostTrace().Format(kTraceErrors, "plug-in \"%s\" left out: no class identifier",
                                   tolv::trace::WideToAnsi(name).c_str());
                continue;
            }
            entries.push_back(std::move(entry));
        }
        std::sort(entries.begin(), entries.end(),
                  [](const PlugInEntry& left, const PlugInEntry& right) { return left.name < right.name; });
    } catch (const std::bad_alloc&) {
        entries.clear();
    }
    return entries;
}

}  // namespace host
