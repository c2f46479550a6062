#pragma once
// The bold variant of a dialog's font, for a page's main button ("Load", "Download START").
#include "resources/ResourceOwners.h"

#include <windows.h>

namespace tolv::plugins {

// Sets the bold variant of `dialog`'s font on `control` and returns it; the caller keeps it
// for as long as the control shows it. Empty (the control keeps its font) when it cannot be made.
tolv::resources::unique_font SetBoldFont(HWND dialog, HWND control);

}  // namespace tolv::plugins
