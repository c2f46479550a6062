#include "com/DispatchImpl.h"

#include <vector>

#include "com/CriticalSection.h"
#include "com/HResult.h"
#include "com/Module.h"

namespace tolv::com {

namespace {

struct CachedTypeInfo {
    GUID libid;
    WORD majorVersion;
    WORD minorVersion;
    IID iid;
    com_ptr<ITypeInfo> described;
    com_ptr<ITypeInfo> invoked;
};

class TypeInfoCache {
public:
    static TypeInfoCache& Get()
    {
        static TypeInfoCache cache;
        return cache;
    }

    HRESULT Find(const TypeLibrary& library, REFIID iid, com_ptr<ITypeInfo>* described,
                 com_ptr<ITypeInfo>* invoked) noexcept
    {
        auto_lock lock(m_lock);
        for (const CachedTypeInfo& entry : m_entries) {
            if (Matches(entry, library, iid)) {
                Hand(entry, described, invoked);
                return S_OK;
            }
        }
        // Loaded under the lock: at most once per interface, and never cached on failure, so
        // that a library registered later is still found.
        CachedTypeInfo entry{*library.libid, library.majorVersion, library.minorVersion, iid, {}, {}};
        RETURN_IF_FAILED(Load(library, iid, entry));
        try {
            m_entries.push_back(entry);
        } catch (...) {
            return E_OUTOFMEMORY;
        }
        Hand(entry, described, invoked);
        return S_OK;
    }

    void Clear() noexcept
    {
        std::vector<CachedTypeInfo> entries;
        {
            auto_lock lock(m_lock);
            entries.swap(m_entries);
        }
    }

private:
    static bool Matches(const CachedTypeInfo& entry, const TypeLibrary& library, REFIID iid) noexcept
    {
        return InlineIsEqualGUID(entry.iid, iid) && InlineIsEqualGUID(entry.libid, *library.libid) &&
               entry.majorVersion == library.majorVersion && entry.minorVersion == library.minorVersion;
    }

    static void Hand(const CachedTypeInfo& entry, com_ptr<ITypeInfo>* described, com_ptr<ITypeInfo>* invoked)
    {
        if (described != nullptr) {
            *described = entry.described;
        }
        if (invoked != nullptr) {
            *invoked = entry.invoked;
        }
    }

    static HRESULT Load(const TypeLibrary& library, REFIID iid, CachedTypeInfo& entry) noexcept
    {
        com_ptr<ITypeLib> typeLib;
        RETURN_IF_FAILED(LoadTypeLibrary(library, typeLib));
        RETURN_IF_FAILED(typeLib->GetTypeInfoOfGuid(iid, entry.described.put()));
        entry.invoked = entry.described;

        TYPEATTR* attributes = nullptr;
        RETURN_IF_FAILED(entry.described->GetTypeAttr(&attributes));
        const bool dualDispatch =
            attributes->typekind == TKIND_DISPATCH && (attributes->wTypeFlags & TYPEFLAG_FDUAL) != 0;
        entry.described->ReleaseTypeAttr(attributes);
        if (dualDispatch) {
            // The dispatch side describes the methods by dispatch identifier only; the calls
            // must go through the vtable side, reached as implemented type -1.
            HREFTYPE vtableSide = 0;
            RETURN_IF_FAILED(entry.described->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableSide));
            RETURN_IF_FAILED(entry.described->GetRefTypeInfo(vtableSide, entry.invoked.put()));
        }
        return S_OK;
    }

    critical_section m_lock;
    std::vector<CachedTypeInfo> m_entries;
};

}  // namespace

HRESULT LoadTypeLibrary(const TypeLibrary& library, com_ptr<ITypeLib>& result) noexcept
{
    result.reset();
    RETURN_HR_IF_NULL(E_INVALIDARG, library.libid);
    HRESULT hr =
        LoadRegTypeLib(*library.libid, library.majorVersion, library.minorVersion, LOCALE_NEUTRAL, result.put());
    if (SUCCEEDED(hr)) {
        return hr;
    }
    const wchar_t* file = library.file;
    if (file == nullptr) {
        const std::wstring& modulePath = Module::Instance().GetModulePath();
        RETURN_HR_IF(hr, modulePath.empty());
        file = modulePath.c_str();
    }
    return LoadTypeLibEx(file, REGKIND_NONE, result.put());
}

HRESULT GetCachedTypeInfo(const TypeLibrary& library, REFIID iid, com_ptr<ITypeInfo>* described,
                          com_ptr<ITypeInfo>* invoked) noexcept
{
    RETURN_HR_IF_NULL(E_INVALIDARG, library.libid);
    try {
        return TypeInfoCache::Get().Find(library, iid, described, invoked);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

void ClearTypeInfoCache() noexcept
{
    try {
        TypeInfoCache::Get().Clear();
    } catch (...) {
    }
}

namespace detail {

HRESULT DispatchGetTypeInfo(const TypeLibrary& library, REFIID iid, UINT index, ITypeInfo** result) noexcept
{
    RETURN_HR_IF_NULL(E_POINTER, result);
    *result = nullptr;
    RETURN_HR_IF(DISP_E_BADINDEX, index != 0);
    com_ptr<ITypeInfo> described;
    RETURN_IF_FAILED(GetCachedTypeInfo(library, iid, &described, nullptr));
    *result = described.detach();
    return S_OK;
}

HRESULT DispatchGetIDsOfNames(const TypeLibrary& library, REFIID iid, REFIID reserved, LPOLESTR* names, UINT count,
                              DISPID* ids) noexcept
{
    RETURN_HR_IF(DISP_E_UNKNOWNINTERFACE, !InlineIsEqualGUID(reserved, IID_NULL));
    RETURN_HR_IF_NULL(E_POINTER, names);
    RETURN_HR_IF_NULL(E_POINTER, ids);
    com_ptr<ITypeInfo> invoked;
    RETURN_IF_FAILED(GetCachedTypeInfo(library, iid, nullptr, &invoked));
    return invoked->GetIDsOfNames(names, count, ids);
}

HRESULT DispatchInvoke(const TypeLibrary& library, REFIID iid, void* instance, DISPID id, REFIID reserved, WORD flags,
                       DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception, UINT* argumentError) noexcept
{
    RETURN_HR_IF(DISP_E_UNKNOWNINTERFACE, !InlineIsEqualGUID(reserved, IID_NULL));
    com_ptr<ITypeInfo> invoked;
    RETURN_IF_FAILED(GetCachedTypeInfo(library, iid, nullptr, &invoked));
    return invoked->Invoke(instance, id, flags, params, result, exception, argumentError);
}

}  // namespace detail

}  // namespace tolv::com
