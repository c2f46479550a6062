#include "com/TypeLibRegistration.h"

#include <cwchar>
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

HRESULT ReadLibraryAttributes(ITypeLib* typeLib, TLIBATTR& library) noexcept
{
    TLIBATTR* attributes = nullptr;
    RETURN_IF_FAILED(typeLib->GetLibAttr(&attributes));
    library = *attributes;
    typeLib->ReleaseTLibAttr(attributes);
    return S_OK;
}

// TypeLib\{libid}\major.minor\0 (the neutral locale) of a library.
std::wstring NeutralLocaleKey(const TLIBATTR& library)
{
    wchar_t guid[40] = {};
    StringFromGUID2(library.guid, guid, 40);
    wchar_t version[32] = {};
    swprintf(version, 32, L"%x.%x", library.wMajorVerNum, library.wMinorVerNum);
    return std::wstring(L"TypeLib\\") + guid + L"\\" + version + L"\\0";
}

const wchar_t* PlatformSubkey(SYSKIND kind) noexcept
{
    switch (kind) {
    case SYS_WIN16:
        return L"win16";
    case SYS_WIN32:
        return L"win32";
    case SYS_WIN64:
        return L"win64";
    default:
        return L"win32";
    }
}

// The type-library marshaller of some COM implementations (Wine's among them) loads a
// library with the neutral locale only: a library of another locale is registered under the
// neutral one as well, or its interfaces cannot be marshalled.
HRESULT RegisterNeutralLocale(const TLIBATTR& library, const std::wstring& path) noexcept
{
    if (library.lcid == LOCALE_NEUTRAL)
        return S_OK;
    try {
        const std::wstring key = NeutralLocaleKey(library) + L"\\" + PlatformSubkey(library.syskind);
        const LSTATUS status = RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, path.c_str(),
                                               static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
        return HRESULT_FROM_WIN32(status);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

void UnregisterNeutralLocale(const TLIBATTR& library) noexcept
{
    if (library.lcid == LOCALE_NEUTRAL)
        return;
    try {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, NeutralLocaleKey(library).c_str());
    } catch (...) {
    }
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
    RETURN_IF_FAILED(RegisterTypeLib(typeLib.get(), path.data(), folder.empty() ? nullptr : folder.data()));
    TLIBATTR library{};
    RETURN_IF_FAILED(ReadLibraryAttributes(typeLib.get(), library));
    return RegisterNeutralLocale(library, path);
}

HRESULT UnregisterTypeLibFromModule(HMODULE module) noexcept
{
    std::wstring path;
    com_ptr<ITypeLib> typeLib;
    RETURN_IF_FAILED(LoadModuleTypeLib(module, path, typeLib));
    TLIBATTR library{};
    RETURN_IF_FAILED(ReadLibraryAttributes(typeLib.get(), library));
    UnregisterNeutralLocale(library);
    return UnRegisterTypeLib(library.guid, library.wMajorVerNum, library.wMinorVerNum, library.lcid, library.syskind);
}

}  // namespace tolv::com
