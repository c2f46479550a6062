#pragma once
// The hourglass for the length of a scope, and the cursor before it again afterwards.
#include <windows.h>

namespace tolv::plugins {

class WaitCursor {
public:
    WaitCursor() noexcept : m_previous(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(m_previous); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR m_previous;
};

}  // namespace tolv::plugins
