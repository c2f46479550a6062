// Registration of the type library a module carries as its TYPELIB resource.
#pragma once

#include <windows.h>

namespace tolv::com {

// Registers the module's type library with the module's path (and its folder as help folder).
HRESULT RegisterTypeLibFromModule(HMODULE module) noexcept;
// Removes the registration of that library (LIBID, version, locale and platform as the
// library itself states them).
HRESULT UnregisterTypeLibFromModule(HMODULE module) noexcept;

}  // namespace tolv::com
