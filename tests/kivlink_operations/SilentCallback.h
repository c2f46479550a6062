#pragma once
// A client callback that is only ever compared: notices carry it, the tests never call it.
#include "core/KivlinkEvents.h"

class SilentCallback : public IKivlinkActionEventsCallback {
public:
    HRESULT Progress(long, BSTR, long, VARIANT_BOOL*) override { return S_OK; }
    HRESULT Completion(long, BSTR, long) override { return S_OK; }
    bool TryAddRef() noexcept override { return true; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
};
