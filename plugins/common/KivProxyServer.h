#pragma once
// The phone proxy server the plug-ins reach the phone through, one object per thread; they
// never create Kivlink's own classes.
#include "com/ComPtr.h"
#include "com/CreationRetry.h"

#include <windows.h>

namespace tolv::plugins {

// {A0E069C2-4C6A-4EDA-88A6-280D02D172BC}
inline constexpr CLSID kKivProxyServerClsid = {
    0xA0E069C2, 0x4C6A, 0x4EDA, {0x88, 0xA6, 0x28, 0x0D, 0x02, 0xD1, 0x72, 0xBC}};

// The MP3 plug-in takes the proxy from any server; the photo plug-in only from this machine.
inline constexpr DWORD kAnyServer = CLSCTX_ALL;
inline constexpr DWORD kLocalServers = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

// A proxy object for interface I on the calling thread. A proxy that does not offer I leaves
// `object` empty and is no failure: the callers then work as without a phone.
template <class I>
HRESULT CreateKivProxy(DWORD context, tolv::com::com_ptr<I>& object)
{
    const HRESULT hr = CoCreateInstance(kKivProxyServerClsid, nullptr, context, __uuidof(I), object.put_void());
    return hr == E_NOINTERFACE ? S_OK : hr;
}

// The same for a thread that may meet a proxy server just ending: its refusals are tried again
// a few times (common/com/CreationRetry.h).
template <class I>
HRESULT CreateKivProxyRetrying(DWORD context, tolv::com::com_ptr<I>& object)
{
    const HRESULT hr = tolv::com::CreateInstanceRetrying(kKivProxyServerClsid, context, object);
    return hr == E_NOINTERFACE ? S_OK : hr;
}

}  // namespace tolv::plugins
