// The pages in the system's own property frame (OleCreatePropertyFrame), which creates,
// sites and applies them itself: the check that a page works in a frame not written here.
#pragma once

#include <vector>

#include <windows.h>

namespace pageframe {

// Modal: returns when the user (or a test) closes the frame.
HRESULT ShowSystemPropertyFrame(const std::vector<CLSID>& pages) noexcept;

}  // namespace pageframe
