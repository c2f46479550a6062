// The values that clients hand to the environment service under a name (Kivlink hands over
// its KivGeneral class identifier as "CLSID_KivGeneral"). One store serves every object of
// the server process and lives as long as the process. Names are compared exactly.
#pragma once

#include <map>
#include <string>

#include <oaidl.h>

#include "com/CriticalSection.h"
#include "com/UniqueVariant.h"

namespace envserver {

class CNamedValueStore {
public:
    CNamedValueStore() = default;
    CNamedValueStore(const CNamedValueStore&) = delete;
    CNamedValueStore& operator=(const CNamedValueStore&) = delete;

    // The store of this server process.
    static CNamedValueStore& Shared();

    // Keeps a copy of the value, by-reference values resolved. Only plain data is kept:
    // object references would tie client objects to the service (DISP_E_TYPEMISMATCH).
    HRESULT Set(const wchar_t* name, const VARIANT& value);
    // HRESULT_FROM_WIN32(ERROR_NOT_FOUND) when no value has that name.
    HRESULT Get(const wchar_t* name, VARIANT* value) const;
    bool Has(const wchar_t* name) const;
    // S_FALSE when there was nothing to forget.
    HRESULT Remove(const wchar_t* name);
    long Count() const;
    // The name at `index` in name order; E_INVALIDARG outside 0..Count()-1.
    HRESULT NameAt(long index, std::wstring& name) const;

private:
    mutable tolv::com::critical_section m_lock;
    std::map<std::wstring, tolv::com::unique_variant> m_values;
};

}  // namespace envserver
