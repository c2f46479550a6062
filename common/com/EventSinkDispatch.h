// The IDispatch of an event sink: events arrive through Invoke alone, so the sink offers no
// type information and resolves no names. A sink derives from it and implements Invoke.
#pragma once

#include <windows.h>
#include <oaidl.h>

namespace tolv::com {

class EventSinkDispatch : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        if (info != nullptr) {
            *info = nullptr;
        }
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }

protected:
    ~EventSinkDispatch() = default;
};

}  // namespace tolv::com
