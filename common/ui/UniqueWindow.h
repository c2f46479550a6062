// unique_window: the owner of a window that its creator must destroy (modeless dialogs,
// property pages' dialogs, frames). Destroying it runs the window's WM_DESTROY on the
// destroying thread, which must be the window's own.
#pragma once

#include <windows.h>

namespace tolv::ui {

class unique_window {
public:
    unique_window() noexcept = default;
    explicit unique_window(HWND window) noexcept : m_window(window) {}
    ~unique_window() { reset(); }

    unique_window(unique_window&& other) noexcept : m_window(other.release()) {}
    unique_window& operator=(unique_window&& other) noexcept
    {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    unique_window(const unique_window&) = delete;
    unique_window& operator=(const unique_window&) = delete;

    HWND get() const noexcept { return m_window; }
    explicit operator bool() const noexcept { return m_window != nullptr; }
    HWND release() noexcept
    {
        HWND window = m_window;
        m_window = nullptr;
        return window;
    }
    void reset(HWND window = nullptr) noexcept
    {
        // A window already gone (its parent took it along) is not destroyed twice.
        if (m_window != nullptr && m_window != window && IsWindow(m_window)) {
            DestroyWindow(m_window);
        }
        m_window = window;
    }

private:
    HWND m_window = nullptr;
};

}  // namespace tolv::ui
