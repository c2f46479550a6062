#pragma once
// The hourglass while a job works, on the calling thread; the cursor before comes back when the
// owner goes.
#include <windows.h>

namespace tolv::tunepane {

class CWaitCursor {
public:
    CWaitCursor() : m_previous(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { SetCursor(m_previous); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_previous;
};

}  // namespace tolv::tunepane
