#include "KivlinkRegistration.h"

#include "errors/KivlinkStringIds.h"
#include "res/ResourceIds.h"

#include "com/HResult.h"
#include "com/RegistryScript.h"
#include "com/TypeLibRegistration.h"

#include <string>
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("KivlinkRegistration");

namespace {

// PhoneServerSymbian is registered the standard way, with the unsuffixed name as its ProgID;
// clients find it under either name.
constexpr wchar_t PHONE_SERVER_SCRIPT[] = LR"(HKCR
{
    'PhoneServerSymbian' = s '%DESCRIPTION%'
    {
        CLSID = s '{AA679EC7-BBD8-4EC3-AF6B-4963E6F8EDDE}'
    }
    'PhoneServerSymbian.1' = s '%DESCRIPTION%'
    {
        CLSID = s '{AA679EC7-BBD8-4EC3-AF6B-4963E6F8EDDE}'
        CurVer = s 'PhoneServerSymbian'
    }
    NoRemove CLSID
    {
        ForceRemove {AA679EC7-BBD8-4EC3-AF6B-4963E6F8EDDE} = s '%DESCRIPTION%'
        {
            ProgID = s 'PhoneServerSymbian'
            VersionIndependentProgID = s 'PhoneServerSymbian.1'
            LocalServer32 = s '%MODULE%'
        }
    }
})";

std::wstring PhoneServerDescription(HMODULE module)
{
    const wchar_t* text = nullptr;
    int length = LoadStringW(module, IDS_PHONE_NOT_CONNECTED, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring(L"PhoneServerSymbian");
}

HRESULT RunPhoneServerScript(HMODULE module, bool registering)
{
    std::wstring description = PhoneServerDescription(module);
    return tolv::com::RunRegistryScriptText(PHONE_SERVER_SCRIPT, registering, module,
                                            {{L"DESCRIPTION", description.c_str()}});
}

}  // namespace

HRESULT RegisterKivlink(HMODULE module)
{
    TOLV_RETURN_IF_FAILED(tolv::com::RunRegistryScript(module, IDR_KIVLINK_APPID, true));
    TOLV_RETURN_IF_FAILED(RunPhoneServerScript(module, true));
    TOLV_RETURN_IF_FAILED(tolv::com::RunRegistryScript(module, IDR_KIVGENERAL, true));
    TOLV_RETURN_IF_FAILED(tolv::com::RunRegistryScript(module, IDR_KIVMOBILEPHONE, true));
    TOLV_RETURN_IF_FAILED(tolv::com::RunRegistryScript(module, IDR_KIVVOLUME2, true));
    return tolv::com::RegisterTypeLibFromModule(module);
}

HRESULT UnregisterKivlink(HMODULE module)
{
    // Everything is attempted; the first failure is reported.
    HRESULT results[] = {
        tolv::com::RunRegistryScript(module, IDR_KIVLINK_APPID, false),
        RunPhoneServerScript(module, false),
        tolv::com::RunRegistryScript(module, IDR_KIVGENERAL, false),
        tolv::com::RunRegistryScript(module, IDR_KIVMOBILEPHONE, false),
        tolv::com::RunRegistryScript(module, IDR_KIVVOLUME2, false),
        tolv::com::UnregisterTypeLibFromModule(module),
    };
    for (HRESULT hr : results)
        TOLV_RETURN_IF_FAILED(hr);
    return S_OK;
}
