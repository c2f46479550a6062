// The suite's EnvironmentServer as the suite's programs use it: a class outside the suite
// whose dual interface answers the user-interface language in its third method after
// IDispatch's. Only that slot is called; the two before it are declared to keep the vtable in
// place.
#pragma once

#include <oaidl.h>

#include "com/ComPtr.h"

inline constexpr CLSID kEnvironmentServerClsid = {
    0xACAF313A, 0x993D, 0x4E85, {0xB0, 0xFB, 0xF6, 0xE0, 0x78, 0x91, 0xBC, 0x90}};

struct IEnvironmentServerLanguage : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE FirstMethod() = 0;
    virtual HRESULT STDMETHODCALLTYPE SecondMethod() = 0;
    // The language as a Windows LANGID.
    virtual HRESULT STDMETHODCALLTYPE GetLanguage(short* language) = 0;
};
__CRT_UUID_DECL(IEnvironmentServerLanguage, 0xD5C6DB75, 0xC3B6, 0x47F7, 0x97, 0x74, 0xCA, 0x20, 0xD8, 0x55, 0x20, 0x56)

namespace tolv::resources {

// Where the user-interface components let the server run (Taskpane adds CLSCTX_REMOTE_SERVER).
inline constexpr DWORD kEnvironmentServerContexts = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

// Creates the server in `contexts`, runs it and asks it for the language interface. A server
// that is just ending is tried again for a moment. COM must be initialised on the thread.
HRESULT CreateEnvironmentServer(DWORD contexts, tolv::com::com_ptr<IEnvironmentServerLanguage>& server);

// The suite's language as the server answers it; the object is released before returning.
HRESULT ReadSuiteLanguage(DWORD contexts, LANGID& language);

}  // namespace tolv::resources
