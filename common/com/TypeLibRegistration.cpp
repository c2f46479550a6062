#include "com/TypeLibRegistration.h"

#include <string>

#include <oleauto.h>

#include "com/ComPtr.h"
#include "com/HResult.h"
#include "com/Module.h"

namespace tolv::com {

namespace {

HRESULT LoadModuleTypeLib(HMODULE module, std::wstring& path, com_ptr<ITypeLib>& typeLib) noexcept
{
    try {
        path = GetModuleFilePath(module);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    RETURN_LAST_ERROR_IF(path.empty());
    return LoadTypeLibEx(path.c_str(), REGKIND_NONE, typeLib.put());
}

}  // namespace

HRESULT RegisterTypeLibFromModule(HMODULE module) noexcept
{
    std::wstring path;
    com_ptr<ITypeLib> typeLib;
    RETURN_IF_FAILED(LoadModuleTypeLib(module, path, typeLib));
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring folder;
    try {
        folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    return RegisterTypeLib(typeLib.get(), path.data(), folder.empty() ? nullptr : folder.data());
}

HRESULT UnregisterTypeLibFromModule(HMODULE module) noexcept
{
    std::wstring path;
    com_ptr<ITypeLib> typeLib;
    RETURN_IF_FAILED(LoadModuleTypeLib(module, path, typeLib));
    TLIBATTR* attributes = nullptr;
    RETURN_IF_FAILED(typeLib->GetLibAttr(&attributes));
    const TLIBATTR library = *attributes;
    typeLib->ReleaseTLibAttr(attributes);
    return UnRegisterTypeLib(library.guid, library.wMajorVerNum, library.wMinorVerNum, library.lcid,
                             library.syskind);
}

}  // namespace tolv::com
