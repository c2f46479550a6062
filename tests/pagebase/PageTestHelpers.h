// What the page tests share: a window to hang pages in, a site that records what pages tell
// it, and waiting for a window of another thread or process.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <windows.h>
#include <ocidl.h>

#include "com/ComObject.h"
#include "ui/UniqueWindow.h"

class CRecordingSite : public IPropertyPageSite {
public:
    using interface_map = tolv::com::interface_map<IPropertyPageSite>;
    virtual ~CRecordingSite() = default;

    HRESULT STDMETHODCALLTYPE OnStatusChange(DWORD flags) override
    {
        changes.push_back(flags);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetLocaleID(LCID* locale) override
    {
        *locale = LOCALE_USER_DEFAULT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPageContainer(IUnknown** container) override
    {
        *container = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return S_FALSE; }

    std::vector<DWORD> changes;
};

// A visible top-level window of this thread, the parent a frame would give its pages.
inline tolv::ui::unique_window MakeHostWindow()
{
    return tolv::ui::unique_window(CreateWindowExW(0, L"STATIC", L"page host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20,
                                                   600, 400, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
}

// Polls until `found` answers a window, up to about ten seconds; null when none came.
inline HWND WaitForWindow(const std::function<HWND()>& found)
{
    constexpr int kAttempts = 200;
    constexpr DWORD kPollMs = 50;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (HWND window = found()) {
            return window;
        }
        Sleep(kPollMs);
    }
    return nullptr;
}

// Polls until `condition` holds, up to about ten seconds.
inline bool WaitUntil(const std::function<bool()>& condition)
{
    return WaitForWindow([&] { return condition() ? GetDesktopWindow() : nullptr; }) != nullptr;
}

// Before a screenshot: the window shown and painted, and Wine given a moment to hand its pixels
// to the X server.
inline void LetWindowSettle(HWND window)
{
    constexpr DWORD kSettleMs = 500;
    WaitUntil([&] { return IsWindowVisible(window) != FALSE; });
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(kSettleMs);
}

// The descendant of `parent` with the control id `id`, at any depth.
inline HWND FindDescendant(HWND parent, int id)
{
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto* wanted = reinterpret_cast<Search*>(data);
            if (GetDlgCtrlID(child) == wanted->id) {
                wanted->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline std::wstring WindowText(HWND window)
{
    wchar_t text[512] = {};
    SendMessageW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    return text;
}
