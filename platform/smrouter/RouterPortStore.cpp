#include "platform/smrouter/RouterPortStore.h"

#include <algorithm>
#include <new>

#include "com/UniqueHandle.h"
#include "platform/envserver/UniqueRegistryKey.h"
#include "platform/smrouter/SmRouterController.h"

namespace smrouter {

namespace {

using envserver::unique_hkey;

constexpr wchar_t kRouterKey[] = L"Software\\Vostrel\\SmRouterController";
constexpr wchar_t kPortsKey[] = L"Software\\Vostrel\\SmRouterController\\Ports";
constexpr wchar_t kLastDisabledValue[] = L"LastDisabled";
constexpr wchar_t kStoreMutex[] = L"SmRouterControllerPortStore";
constexpr DWORD kEnabled = 1;
constexpr DWORD kDisabled = 0;
constexpr int kKnownPortCount = 9;

LONG FromWin32(LONG error) noexcept
{
    return HRESULT_FROM_WIN32(static_cast<DWORD>(error));
}

// The store's one writer at a time, across processes; an owner that died still leaves the
// registry consistent (each value is written whole), so an abandoned mutex is simply taken.
class CStoreLock {
public:
    CStoreLock() noexcept : m_mutex(CreateMutexW(nullptr, FALSE, kStoreMutex))
    {
        if (m_mutex) {
            const DWORD wait = WaitForSingleObject(m_mutex.get(), INFINITE);
            m_held = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
        }
    }
    ~CStoreLock()
    {
        if (m_held) {
            ReleaseMutex(m_mutex.get());
        }
    }
    CStoreLock(const CStoreLock&) = delete;
    CStoreLock& operator=(const CStoreLock&) = delete;

    LONG Status() const noexcept { return m_held ? S_OK : FromWin32(static_cast<LONG>(GetLastError())); }

private:
    tolv::com::unique_handle m_mutex;
    bool m_held = false;
};

LONG OpenKey(const wchar_t* path, REGSAM access, unique_hkey& key) noexcept
{
    HKEY opened = nullptr;
    const LONG error = RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, access, &opened);
    if (error != ERROR_SUCCESS) {
        return FromWin32(error);
    }
    key.reset(opened);
    return S_OK;
}

bool SameName(const std::wstring& a, const std::wstring& b) noexcept
{
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// The port's name as the router spells it, or empty for a port it does not know.
std::wstring StoredName(HKEY ports, const wchar_t* port)
{
    for (DWORD index = 0;; ++index) {
        wchar_t name[64];
        DWORD length = ARRAYSIZE(name);
        if (RegEnumValueW(ports, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            return std::wstring();
        }
        if (SameName(name, port)) {
            return name;
        }
    }
}

LONG ReadState(HKEY ports, const std::wstring& name, DWORD& state) noexcept
{
    DWORD size = sizeof state;
    return FromWin32(RegGetValueW(ports, nullptr, name.c_str(), RRF_RT_REG_DWORD, nullptr, &state, &size));
}

LONG WriteState(HKEY ports, const std::wstring& name, DWORD state) noexcept
{
    return FromWin32(
        RegSetValueExW(ports, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&state), sizeof state));
}

std::vector<std::wstring> ReadLastDisabled(HKEY router)
{
    std::vector<std::wstring> names;
    DWORD size = 0;
    if (RegGetValueW(router, nullptr, kLastDisabledValue, RRF_RT_REG_MULTI_SZ, nullptr, nullptr, &size) !=
        ERROR_SUCCESS) {
        return names;
    }
    std::wstring block(size / sizeof(wchar_t) + 1, L'\0');
    if (RegGetValueW(router, nullptr, kLastDisabledValue, RRF_RT_REG_MULTI_SZ, nullptr, block.data(), &size) !=
        ERROR_SUCCESS) {
        return names;
    }
    for (const wchar_t* name = block.c_str(); *name != L'\0'; name += wcslen(name) + 1) {
        names.emplace_back(name);
    }
    return names;
}

LONG WriteLastDisabled(HKEY router, const std::vector<std::wstring>& names)
{
    std::wstring block;
    for (const std::wstring& name : names) {
        block += name;
        block += L'\0';
    }
    block += L'\0';
    return FromWin32(RegSetValueExW(router, kLastDisabledValue, 0, REG_MULTI_SZ,
                                    reinterpret_cast<const BYTE*>(block.c_str()),
                                    static_cast<DWORD>(block.size() * sizeof(wchar_t))));
}

void Forget(std::vector<std::wstring>& names, const std::wstring& name)
{
    names.erase(
        std::remove_if(names.begin(), names.end(), [&](const std::wstring& other) { return SameName(other, name); }),
        names.end());
}

// Both keys open for a change, under the store's lock.
struct OpenStore {
    CStoreLock lock;
    unique_hkey router;
    unique_hkey ports;

    LONG Open() noexcept
    {
        if (FAILED(lock.Status())) {
            return lock.Status();
        }
        const LONG opened = OpenKey(kRouterKey, KEY_READ | KEY_WRITE, router);
        if (FAILED(opened)) {
            return opened;
        }
        return OpenKey(kPortsKey, KEY_READ | KEY_WRITE, ports);
    }
};

LONG SetPort(const wchar_t* port, DWORD wanted) noexcept
{
    if (port == nullptr || *port == L'\0') {
        return kNoPort;
    }
    try {
        OpenStore store;
        const LONG opened = store.Open();
        if (FAILED(opened)) {
            return opened;
        }
        const std::wstring name = StoredName(store.ports.get(), port);
        if (name.empty()) {
            return kUnknownPort;
        }
        DWORD state = kDisabled;
        const LONG read = ReadState(store.ports.get(), name, state);
        if (FAILED(read)) {
            return read;
        }
        if (state == wanted) {
            return wanted == kEnabled ? kAlreadyEnabled : kAlreadyDisabled;
        }
        const LONG written = WriteState(store.ports.get(), name, wanted);
        if (FAILED(written)) {
            return written;
        }
        std::vector<std::wstring> toResume = ReadLastDisabled(store.router.get());
        Forget(toResume, name);
        if (wanted == kDisabled) {
            toResume.push_back(name);
        }
        return WriteLastDisabled(store.router.get(), toResume);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace

std::vector<std::wstring> CRouterPortStore::KnownPorts()
{
    std::vector<std::wstring> ports;
    for (int number = 1; number <= kKnownPortCount; ++number) {
        ports.push_back(L"COM" + std::to_wstring(number));
    }
    return ports;
}

LONG CRouterPortStore::Install() noexcept
{
    try {
        CStoreLock lock;
        if (FAILED(lock.Status())) {
            return lock.Status();
        }
        // A fresh Ports key, so that no port of an earlier installation stays known.
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kPortsKey);
        HKEY created = nullptr;
        LONG error = RegCreateKeyExW(HKEY_LOCAL_MACHINE, kPortsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_READ | KEY_WRITE, nullptr, &created, nullptr);
        if (error != ERROR_SUCCESS) {
            return FromWin32(error);
        }
        const unique_hkey ports(created);
        for (const std::wstring& port : KnownPorts()) {
            const LONG written = WriteState(ports.get(), port, kDisabled);
            if (FAILED(written)) {
                return written;
            }
        }
        unique_hkey router;
        const LONG opened = OpenKey(kRouterKey, KEY_READ | KEY_WRITE, router);
        if (FAILED(opened)) {
            return opened;
        }
        return WriteLastDisabled(router.get(), {});
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

LONG CRouterPortStore::Uninstall() noexcept
{
    CStoreLock lock;
    const LONG error = RegDeleteTreeW(HKEY_LOCAL_MACHINE, kRouterKey);
    if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND) {
        return FromWin32(error);
    }
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kRouterKey);
    return S_OK;
}

LONG CRouterPortStore::CheckInstalled() noexcept
{
    unique_hkey ports;
    return OpenKey(kPortsKey, KEY_READ, ports);
}

LONG CRouterPortStore::Enable(const wchar_t* port) noexcept
{
    return SetPort(port, kEnabled);
}

LONG CRouterPortStore::Disable(const wchar_t* port) noexcept
{
    return SetPort(port, kDisabled);
}

LONG CRouterPortStore::EnableLastDisabled() noexcept
{
    try {
        OpenStore store;
        const LONG opened = store.Open();
        if (FAILED(opened)) {
            return opened;
        }
        for (const std::wstring& name : ReadLastDisabled(store.router.get())) {
            // A port the router no longer knows has nothing to resume.
            const std::wstring stored = StoredName(store.ports.get(), name.c_str());
            if (stored.empty()) {
                continue;
            }
            const LONG written = WriteState(store.ports.get(), stored, kEnabled);
            if (FAILED(written)) {
                return written;
            }
        }
        return WriteLastDisabled(store.router.get(), {});
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

LONG CRouterPortStore::List(std::vector<PortState>& ports) noexcept
{
    ports.clear();
    try {
        CStoreLock lock;
        if (FAILED(lock.Status())) {
            return lock.Status();
        }
        unique_hkey router;
        unique_hkey portsKey;
        LONG opened = OpenKey(kRouterKey, KEY_READ, router);
        if (SUCCEEDED(opened)) {
            opened = OpenKey(kPortsKey, KEY_READ, portsKey);
        }
        if (FAILED(opened)) {
            return opened;
        }
        const std::vector<std::wstring> toResume = ReadLastDisabled(router.get());
        for (DWORD index = 0;; ++index) {
            wchar_t name[64];
            DWORD length = ARRAYSIZE(name);
            DWORD state = kDisabled;
            DWORD size = sizeof state;
            DWORD type = 0;
            if (RegEnumValueW(portsKey.get(), index, name, &length, nullptr, &type, reinterpret_cast<BYTE*>(&state),
                              &size) != ERROR_SUCCESS) {
                break;
            }
            const bool waiting = std::any_of(toResume.begin(), toResume.end(),
                                             [&](const std::wstring& other) { return SameName(other, name); });
            ports.push_back(PortState{name, type == REG_DWORD && state == kEnabled, waiting});
        }
        std::sort(ports.begin(), ports.end(), [](const PortState& a, const PortState& b) {
            return CompareStringOrdinal(a.name.c_str(), -1, b.name.c_str(), -1, TRUE) == CSTR_LESS_THAN;
        });
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace smrouter
