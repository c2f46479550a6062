#include "com/ClassFactory.h"

#include <new>

#include "com/HResult.h"
#include "com/Module.h"

namespace tolv::com {

HRESULT STDMETHODCALLTYPE ClassFactoryBase::CreateInstance(IUnknown* outer, REFIID iid, void** result)
{
    RETURN_HR_IF_NULL(E_POINTER, result);
    *result = nullptr;
    Module& module = Module::Instance();
    if (!module.BeginActivation()) {
        return CO_E_SERVER_STOPPING;
    }
    HRESULT hr = E_UNEXPECTED;
    try {
        hr = m_create(outer, iid, result);
    } catch (...) {
        hr = E_UNEXPECTED;
    }
    module.EndActivation();
    return hr;
}

HRESULT STDMETHODCALLTYPE ClassFactoryBase::LockServer(BOOL lock)
{
    if (lock) {
        Module::Instance().Lock();
    } else {
        Module::Instance().Unlock();
    }
    return S_OK;
}

HRESULT ClassFactoryBase::Create(CreateFunction create, com_ptr<IClassFactory>& result) noexcept
{
    result.reset();
    RETURN_HR_IF_NULL(E_INVALIDARG, create);
    com_ptr<InternalComObject<ClassFactoryBase>> factory;
    RETURN_IF_FAILED(InternalComObject<ClassFactoryBase>::Create(factory, create));
    result = factory;
    return S_OK;
}

ClassObjectTable::ClassObjectTable(std::initializer_list<ClassEntry> entries)
{
    m_slots.reserve(entries.size());
    for (const ClassEntry& entry : entries) {
        Slot slot{entry, {}, 0};
        // A factory that could not be made shows up as E_OUTOFMEMORY when it is needed.
        ClassFactoryBase::Create(entry.create, slot.factory);
        m_slots.push_back(std::move(slot));
    }
}

ClassObjectTable::~ClassObjectTable()
{
    RevokeClassObjects();
}

HRESULT ClassObjectTable::RegisterClassObjects(DWORD context, DWORD flags) noexcept
{
    for (Slot& slot : m_slots) {
        if (slot.cookie != 0) {
            continue;
        }
        HRESULT hr = slot.factory ? S_OK : E_OUTOFMEMORY;
        if (SUCCEEDED(hr)) {
            hr = CoRegisterClassObject(*slot.entry.clsid, slot.factory.get(), context, flags, &slot.cookie);
        }
        if (FAILED(hr)) {
            slot.cookie = 0;
            RevokeClassObjects();
            return hr;
        }
    }
    return S_OK;
}

HRESULT ClassObjectTable::RevokeClassObjects() noexcept
{
    HRESULT first = S_OK;
    for (Slot& slot : m_slots) {
        if (slot.cookie == 0) {
            continue;
        }
        const HRESULT hr = CoRevokeClassObject(slot.cookie);
        slot.cookie = 0;
        if (FAILED(hr) && SUCCEEDED(first)) {
            first = hr;
        }
    }
    return first;
}

bool ClassObjectTable::IsRegistered() const noexcept
{
    for (const Slot& slot : m_slots) {
        if (slot.cookie != 0) {
            return true;
        }
    }
    return false;
}

HRESULT ClassObjectTable::GetClassObject(REFCLSID clsid, REFIID iid, void** result) const noexcept
{
    RETURN_HR_IF_NULL(E_POINTER, result);
    *result = nullptr;
    for (const Slot& slot : m_slots) {
        if (InlineIsEqualGUID(clsid, *slot.entry.clsid)) {
            RETURN_HR_IF_NULL(E_OUTOFMEMORY, slot.factory.get());
            return slot.factory->QueryInterface(iid, result);
        }
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT ClassObjectTable::CanUnloadNow() noexcept
{
    return Module::Instance().GetLockCount() == 0 ? S_OK : S_FALSE;
}

}  // namespace tolv::com
