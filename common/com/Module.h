// The process-wide COM module: the lock count that decides when a server may end, the
// module's instance handle and file path.
#pragma once

#include <string>

#include <windows.h>

namespace tolv::com {

class Module {
public:
    // The instance defaults to the executable or DLL this code is linked into. The first
    // module constructed becomes the one Instance() answers, until it is destroyed.
    explicit Module(HINSTANCE instance = nullptr);
    virtual ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    // The registered module, or a plain built-in one when none was constructed, so that
    // objects can always count their locks.
    static Module& Instance() noexcept;

    // Both return the new count. Servers override them to trace or to start and stop their
    // shutdown timing; an override must call the base.
    virtual LONG Lock() noexcept;
    virtual LONG Unlock() noexcept;
    LONG GetLockCount() const noexcept;

    HINSTANCE GetInstance() const noexcept { return m_instance; }
    // Full path of the module's file; empty if it could not be read.
    const std::wstring& GetModulePath() const noexcept { return m_path; }

private:
    struct Unregistered {};
    Module(HINSTANCE instance, Unregistered);

    HINSTANCE m_instance;
    std::wstring m_path;
    volatile LONG m_lockCount = 0;
};

// Holds one module lock for its own lifetime; COM objects and lock-holding factories embed it.
class module_lock {
public:
    module_lock() noexcept : m_module(Module::Instance()) { m_module.Lock(); }
    ~module_lock() { m_module.Unlock(); }
    module_lock(const module_lock&) = delete;
    module_lock& operator=(const module_lock&) = delete;

private:
    Module& m_module;
};

// The full path of a loaded module's file, however long; empty on failure.
std::wstring GetModuleFilePath(HMODULE module);

}  // namespace tolv::com
