#include "plugins/common/LibraryEntryPoints.h"

#include "com/ClassFactory.h"
#include "com/DispatchImpl.h"
#include "com/HResult.h"
#include "com/RegistryScript.h"
#include "com/TypeLibRegistration.h"

namespace tolv::plugins {

HRESULT CanUnloadLibrary() noexcept
{
    const HRESULT hr = tolv::com::ClassObjectTable::CanUnloadNow();
    if (hr == S_OK) {
        tolv::com::ClearTypeInfoCache();
    }
    return hr;
}

HRESULT RegisterLibrary(HMODULE module, UINT registryScriptId) noexcept
{
    RETURN_IF_FAILED(tolv::com::RegisterTypeLibFromModule(module));
    return tolv::com::RunRegistryScript(module, registryScriptId, true);
}

HRESULT UnregisterLibrary(HMODULE module, UINT registryScriptId) noexcept
{
    const HRESULT script = tolv::com::RunRegistryScript(module, registryScriptId, false);
    const HRESULT library = tolv::com::UnregisterTypeLibFromModule(module);
    return FAILED(script) ? script : library;
}

}  // namespace tolv::plugins
