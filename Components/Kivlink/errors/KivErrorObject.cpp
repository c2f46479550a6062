#include "Components/Kivlink/errors/KivErrorObject.h"

#include <memory>

#include <objbase.h>

#include "Components/Kivlink/errors/KivErrorText.h"
#include "Components/Kivlink/errors/KivStringTable.h"
#include "com/ErrorInfo.h"

namespace {

struct CoTaskMemFreer {
    void operator()(void* memory) const noexcept { CoTaskMemFree(memory); }
};
using unique_cotaskmem_string = std::unique_ptr<wchar_t, CoTaskMemFreer>;

// The facility field: bits 16 to 28.
UINT FacilityOf(HRESULT hr)
{
    return (static_cast<ULONG>(hr) >> 16) & 0x1FFF;
}

}  // namespace

GUID KivErrorObjectGuid(HRESULT hr, REFIID iid)
{
    switch (FacilityOf(hr)) {
    case FACILITY_WIN32:
    case FACILITY_NULL:
    case FACILITY_RPC:
    case FACILITY_DISPATCH:
        return GUID_NULL;
    default:
        return iid;
    }
}

HRESULT KivSetErrorObject(HRESULT hr, const std::string& text, REFCLSID clsid, REFIID iid)
{
    if (SUCCEEDED(hr)) {
        return hr;
    }
    wchar_t* progId = nullptr;
    const unique_cotaskmem_string source(SUCCEEDED(ProgIDFromCLSID(clsid, &progId)) ? progId : nullptr);
    return tolv::com::SetErrorInfoFor(hr, source.get(), KivAnsiToWide(text).c_str(), KivErrorObjectGuid(hr, iid));
}

HRESULT KivReportError(HRESULT hr, REFCLSID clsid, REFIID iid, LANGID language, HMODULE module, CTolvTrace* trace)
{
    if (SUCCEEDED(hr)) {
        return hr;
    }
    return KivSetErrorObject(hr, KivErrorText(hr, language, module, trace), clsid, iid);
}
