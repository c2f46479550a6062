// The one owner of an open registry key.
#pragma once

#include <memory>
#include <type_traits>

#include <windows.h>

namespace envserver {

struct RegistryKeyCloser {
    void operator()(HKEY key) const noexcept { RegCloseKey(key); }
};
using unique_hkey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegistryKeyCloser>;

}  // namespace envserver
