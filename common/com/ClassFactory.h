// Class objects: ClassFactory<T> (IClassFactory over ComObject<T>) and the table of a
// server's classes, for a local server's CoRegisterClassObject and a DLL's DllGetClassObject.
#pragma once

#include <initializer_list>
#include <vector>

#include <windows.h>
#include <ole2.h>

#include "com/ComObject.h"
#include "com/ComPtr.h"

namespace tolv::com {

using CreateFunction = HRESULT (*)(IUnknown* outer, REFIID iid, void** result);

// The factory's own references do not lock the module (COM keeps one for every registered
// class object, which would keep a local server alive for ever): it is an InternalComObject.
// Clients that want to keep the server call LockServer.
class ClassFactoryBase : public IClassFactory {
public:
    using interface_map = tolv::com::interface_map<IClassFactory>;

    explicit ClassFactoryBase(CreateFunction create) noexcept : m_create(create) {}

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** result) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

    // A new factory with one reference for the caller; E_OUTOFMEMORY on failure.
    static HRESULT Create(CreateFunction create, com_ptr<IClassFactory>& result) noexcept;
    // The factory of a class built on ComObject.
    template <class T>
    static HRESULT CreateFor(com_ptr<IClassFactory>& result) noexcept
    {
        return Create(&ComObject<T>::CreateQueried, result);
    }

private:
    CreateFunction m_create;
};

struct ClassEntry {
    const CLSID* clsid;
    CreateFunction create;
};

template <class T>
ClassEntry ClassEntryFor(const CLSID& clsid) noexcept
{
    return ClassEntry{&clsid, &ComObject<T>::CreateQueried};
}

// A server's classes, each with its factory. Registration and revocation belong to one
// thread (the server's start and end); lookups may come from any thread.
class ClassObjectTable {
public:
    explicit ClassObjectTable(std::initializer_list<ClassEntry> entries);
    // Revokes whatever is still registered.
    ~ClassObjectTable();
    ClassObjectTable(const ClassObjectTable&) = delete;
    ClassObjectTable& operator=(const ClassObjectTable&) = delete;

    // Local server: registers every class object, in table order. On a failure the ones
    // already registered are revoked again and the failure is returned.
    HRESULT RegisterClassObjects(DWORD context = CLSCTX_LOCAL_SERVER,
                                 DWORD flags = REGCLS_MULTIPLEUSE | REGCLS_SUSPENDED) noexcept;
    static HRESULT ResumeClassObjects() noexcept { return CoResumeClassObjects(); }
    static HRESULT SuspendClassObjects() noexcept { return CoSuspendClassObjects(); }
    // Revokes all; returns the first failure but goes on with the rest.
    HRESULT RevokeClassObjects() noexcept;
    bool IsRegistered() const noexcept;

    // In-process server: the body of DllGetClassObject and DllCanUnloadNow.
    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** result) const noexcept;
    static HRESULT CanUnloadNow() noexcept;

    size_t size() const noexcept { return m_slots.size(); }

private:
    struct Slot {
        ClassEntry entry;
        com_ptr<IClassFactory> factory;
        DWORD cookie = 0;
    };
    std::vector<Slot> m_slots;
};

}  // namespace tolv::com
