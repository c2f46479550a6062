#include "platform/envserver/NamedValueStore.h"

#include <iterator>
#include <new>

namespace envserver {

namespace {

bool IsUsableName(const wchar_t* name)
{
    return name != nullptr && *name != L'\0';
}

bool HoldsObjects(VARTYPE type)
{
    switch (type & VT_TYPEMASK) {
    case VT_UNKNOWN:
    case VT_DISPATCH:
    case VT_RECORD:
        return true;
    default:
        return false;
    }
}

}  // namespace

CNamedValueStore& CNamedValueStore::Shared()
{
    static CNamedValueStore store;
    return store;
}

HRESULT CNamedValueStore::Set(const wchar_t* name, const VARIANT& value)
{
    if (!IsUsableName(name)) {
        return E_INVALIDARG;
    }
    tolv::com::unique_variant copy;
    // VariantCopyInd only reads its source; the API just lacks the const.
    const HRESULT hr = VariantCopyInd(copy.get(), const_cast<VARIANT*>(&value));
    if (FAILED(hr)) {
        return hr;
    }
    if (HoldsObjects(copy.type())) {
        return DISP_E_TYPEMISMATCH;
    }
    try {
        tolv::com::auto_lock lock(m_lock);
        m_values[name] = std::move(copy);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT CNamedValueStore::Get(const wchar_t* name, VARIANT* value) const
{
    if (value == nullptr) {
        return E_POINTER;
    }
    VariantInit(value);
    if (!IsUsableName(name)) {
        return E_INVALIDARG;
    }
    tolv::com::auto_lock lock(m_lock);
    const auto found = m_values.find(name);
    if (found == m_values.end()) {
        return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
    }
    return found->second.copy_to(value);
}

bool CNamedValueStore::Has(const wchar_t* name) const
{
    if (!IsUsableName(name)) {
        return false;
    }
    tolv::com::auto_lock lock(m_lock);
    return m_values.find(name) != m_values.end();
}

HRESULT CNamedValueStore::Remove(const wchar_t* name)
{
    if (!IsUsableName(name)) {
        return E_INVALIDARG;
    }
    tolv::com::unique_variant removed;
    tolv::com::auto_lock lock(m_lock);
    const auto found = m_values.find(name);
    if (found == m_values.end()) {
        return S_FALSE;
    }
    removed = std::move(found->second);
    m_values.erase(found);
    return S_OK;
}

long CNamedValueStore::Count() const
{
    tolv::com::auto_lock lock(m_lock);
    return static_cast<long>(m_values.size());
}

HRESULT CNamedValueStore::NameAt(long index, std::wstring& name) const
{
    tolv::com::auto_lock lock(m_lock);
    if (index < 0 || static_cast<size_t>(index) >= m_values.size()) {
        return E_INVALIDARG;
    }
    try {
        name = std::next(m_values.begin(), index)->first;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

}  // namespace envserver
