// Owners of the handles the resource classes hand out or keep: a loaded module, a menu, an
// icon, a bitmap, a font and memory the system allocated with LocalAlloc.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace tolv::resources {

struct ModuleFreer {
    void operator()(HMODULE module) const noexcept { FreeLibrary(module); }
};
using unique_module = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFreer>;

struct MenuDestroyer {
    void operator()(HMENU menu) const noexcept { DestroyMenu(menu); }
};
using unique_menu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

struct IconDestroyer {
    void operator()(HICON icon) const noexcept { DestroyIcon(icon); }
};
using unique_icon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;

struct BitmapDeleter {
    void operator()(HBITMAP bitmap) const noexcept { DeleteObject(bitmap); }
};
using unique_bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

struct FontDeleter {
    void operator()(HFONT font) const noexcept { DeleteObject(font); }
};
using unique_font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

struct LocalFreer {
    void operator()(void* memory) const noexcept { LocalFree(memory); }
};
template <class T>
using unique_local = std::unique_ptr<T, LocalFreer>;

}  // namespace tolv::resources
