#pragma once
// Owners of the MP3 page's own GDI and common-control handles: the Load button's bold font
// and the list's image list (the list shares it, LVS_SHAREIMAGELISTS, so the page destroys it).
#include <windows.h>
#include <commctrl.h>

#include "resources/ResourceOwners.h"

#include <memory>
#include <type_traits>

namespace tolv::tunepane {

using unique_font = tolv::resources::unique_font;

struct ImageListDestroyer {
    void operator()(HIMAGELIST images) const noexcept { ImageList_Destroy(images); }
};
using unique_image_list = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDestroyer>;

}  // namespace tolv::tunepane
