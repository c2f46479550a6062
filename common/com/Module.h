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

    // A class object's CreateInstance runs between BeginActivation and EndActivation. A server
    // about to end closes itself to new clients, which waits for the activations under way,
    // and reads its lock count after that: a client is then either counted or turned away with
    // CO_E_SERVER_STOPPING (and COM starts a new server when it tries again), never handed an
    // object of a server that is already stopping. False: closed, refuse the activation.
    bool BeginActivation() noexcept;
    void EndActivation() noexcept;
    // Returns false if activations were still under way after `waitMs`.
    bool CloseToNewClients(DWORD waitMs) noexcept;
    bool IsClosedToNewClients() const noexcept { return m_closedToNewClients != 0; }

    HINSTANCE GetInstance() const noexcept { return m_instance; }
    // Full path of the module's file; empty if it could not be read.
    const std::wstring& GetModulePath() const noexcept { return m_path; }

private:
    struct Unregistered {};
    Module(HINSTANCE instance, Unregistered);

    HINSTANCE m_instance;
    std::wstring m_path;
    volatile LONG m_lockCount = 0;
    volatile LONG m_activations = 0;
    volatile LONG m_closedToNewClients = 0;
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
