#include "com/Module.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace tolv::com {

namespace {

Module* volatile s_registered = nullptr;

}  // namespace

std::wstring GetModuleFilePath(HMODULE module)
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        // A full buffer means the name may have been cut; try again with more room.
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() >= 32768) {
            return {};
        }
        path.resize(path.size() * 2);
    }
}

Module::Module(HINSTANCE instance)
    : m_instance(instance ? instance : reinterpret_cast<HINSTANCE>(&__ImageBase)),
      m_path(GetModuleFilePath(m_instance))
{
    InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(&s_registered), this, nullptr);
}

Module::Module(HINSTANCE instance, Unregistered)
    : m_instance(instance ? instance : reinterpret_cast<HINSTANCE>(&__ImageBase)),
      m_path(GetModuleFilePath(m_instance))
{
}

Module::~Module()
{
    InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(&s_registered), nullptr, this);
}

Module& Module::Instance() noexcept
{
    Module* registered = s_registered;
    if (registered != nullptr) {
        return *registered;
    }
    // Not registered, so that a module the program constructs later still becomes the one.
    static Module fallback(nullptr, Unregistered{});
    return fallback;
}

LONG Module::Lock() noexcept
{
    return InterlockedIncrement(&m_lockCount);
}

LONG Module::Unlock() noexcept
{
    return InterlockedDecrement(&m_lockCount);
}

LONG Module::GetLockCount() const noexcept
{
    return m_lockCount;
}

bool Module::BeginActivation() noexcept
{
    // Counted before the look at the flag: a closing server that finds no activation under
    // way has set the flag before, so a later one sees it.
    InterlockedIncrement(&m_activations);
    if (InterlockedCompareExchange(&m_closedToNewClients, 0, 0) != 0) {
        InterlockedDecrement(&m_activations);
        return false;
    }
    return true;
}

void Module::EndActivation() noexcept
{
    InterlockedDecrement(&m_activations);
}

bool Module::CloseToNewClients(DWORD waitMs) noexcept
{
    InterlockedExchange(&m_closedToNewClients, 1);
    const DWORD start = GetTickCount();
    while (InterlockedCompareExchange(&m_activations, 0, 0) > 0) {
        if (GetTickCount() - start >= waitMs) {
            return false;
        }
        Sleep(1);
    }
    return true;
}

}  // namespace tolv::com
