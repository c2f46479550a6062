#include "SymbianConnectApplication.h"

#include <ole2.h>
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("SymbianConnectApplication");

HRESULT CreateSymbianConnectApplication(tolv::com::com_ptr<ISCApplication>& application)
{
    application.reset();
    tolv::com::com_ptr<IUnknown> object;
    HRESULT hr = CoCreateInstance(CLSID_SCApplication, nullptr, CLSCTX_ALL, IID_IUnknown, object.put_void());
    if (hr == E_NOINTERFACE)
        return S_OK;
    TOLV_RETURN_IF_FAILED(hr);
    // A server context is included, so the object may still have to be put into the running
    // state before it answers its interfaces.
    hr = OleRun(object.get());
    if (FAILED(hr) && hr != E_NOINTERFACE)
        return hr;
    hr = object.query(application);
    if (hr == E_NOINTERFACE)
        return S_OK;
    return hr;
}
