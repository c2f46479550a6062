// The suite's EnvironmentServer as Kivlink uses it: a class outside Kivlink whose dual
// interface answers the user-interface language in its third method after IDispatch's.
// Only that slot is called; the two before it are declared to keep the vtable in place.
#pragma once

#include <oaidl.h>

inline constexpr CLSID kEnvironmentServerClsid = {
    0xACAF313A, 0x993D, 0x4E85, {0xB0, 0xFB, 0xF6, 0xE0, 0x78, 0x91, 0xBC, 0x90}};

struct IEnvironmentServerLanguage : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE FirstMethod() = 0;
    virtual HRESULT STDMETHODCALLTYPE SecondMethod() = 0;
    // The language as a Windows LANGID.
    virtual HRESULT STDMETHODCALLTYPE GetLanguage(short* language) = 0;
};
__CRT_UUID_DECL(IEnvironmentServerLanguage, 0xD5C6DB75, 0xC3B6, 0x47F7, 0x97, 0x74, 0xCA, 0x20, 0xD8, 0x55, 0x20, 0x56)
