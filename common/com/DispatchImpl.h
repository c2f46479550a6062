// IDispatch for dual interfaces, driven by the type library: late-bound calls go through
// the interface's type information to the same vtable method an early-bound call reaches,
// whatever the order of the dispatch identifiers.
//
//     inline constexpr tolv::com::TypeLibrary kLibrary{&LIBID_KivlinkLib, 1, 0};
//     class CThing : public tolv::com::DispatchImpl<IThing, kLibrary> { ... };
#pragma once

#include <windows.h>
#include <ole2.h>

#include "com/ComPtr.h"

namespace tolv::com {

struct TypeLibrary {
    const GUID* libid;
    WORD majorVersion;
    WORD minorVersion;
    // Where to load the library from when it is not registered; null means the TYPELIB
    // resource of the current module (Module::Instance()).
    const wchar_t* file = nullptr;
};

// The registered library, else the file (or module) named by `library`.
HRESULT LoadTypeLibrary(const TypeLibrary& library, com_ptr<ITypeLib>& result) noexcept;

// Type information of one interface, loaded once per process and shared by all threads.
// `described` is what IDispatch::GetTypeInfo hands out (for a dual interface its dispatch
// side); `invoked` is the vtable side that Invoke calls through.
HRESULT GetCachedTypeInfo(const TypeLibrary& library, REFIID iid, com_ptr<ITypeInfo>* described,
                          com_ptr<ITypeInfo>* invoked) noexcept;
// Drops the cached type information, e.g. before a server uninitialises COM at its end.
void ClearTypeInfoCache() noexcept;

namespace detail {

HRESULT DispatchGetTypeInfo(const TypeLibrary& library, REFIID iid, UINT index, ITypeInfo** result) noexcept;
HRESULT DispatchGetIDsOfNames(const TypeLibrary& library, REFIID iid, REFIID reserved, LPOLESTR* names, UINT count,
                              DISPID* ids) noexcept;
HRESULT DispatchInvoke(const TypeLibrary& library, REFIID iid, void* instance, DISPID id, REFIID reserved, WORD flags,
                       DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception, UINT* argumentError) noexcept;

}  // namespace detail

template <class Interface, const TypeLibrary& Library>
class DispatchImpl : public Interface {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** result) override
    {
        return detail::DispatchGetTypeInfo(Library, __uuidof(Interface), index, result);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID reserved, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        return detail::DispatchGetIDsOfNames(Library, __uuidof(Interface), reserved, names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID reserved, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argumentError) override
    {
        return detail::DispatchInvoke(Library, __uuidof(Interface), static_cast<Interface*>(this), id, reserved, flags,
                                      params, result, exception, argumentError);
    }
};

}  // namespace tolv::com
