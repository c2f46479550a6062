// The frame's own window: a dialog with one tab per page, the current page's help file and
// document string, and OK, Cancel and Apply. It plays the host application's part for pages
// under test: gives each page a site, activates the chosen page inside the tab's display
// area, lets the page see the keys first, applies the changed pages.
//
// Threads: one, the program's main thread (single-threaded apartment): the frame, its sites
// and the pages it activates all live there.
#pragma once

#include <vector>

#include <windows.h>

#include "com/ComObject.h"
#include "platform/pageframe/FrameExtension.h"
#include "platform/pageframe/FramePageSite.h"
#include "platform/pageframe/PageFrameResources.h"
#include "platform/pageframe/PageList.h"
#include "ui/UniqueWindow.h"

namespace pageframe {

// How a program shapes the frame: its dialog template (which must hold the controls of
// PageFrameResources.h), the page shown first, and its extension (not owned; it outlives the
// frame's window).
struct FrameOptions {
    int dialogId = IDD_PAGE_FRAME;
    size_t firstPage = 0;
    IFrameExtension* extension = nullptr;
};

class CPageFrameWindow final : private IPageStatusListener {
public:
    explicit CPageFrameWindow(CPageList& pages, const FrameOptions& options = {}) noexcept;
    ~CPageFrameWindow();
    CPageFrameWindow(const CPageFrameWindow&) = delete;
    CPageFrameWindow& operator=(const CPageFrameWindow&) = delete;

    // Gives the pages their sites, opens the window and shows the first page.
    HRESULT Create(HINSTANCE instance) noexcept;
    // The message loop, until the frame closes; the exit code.
    int Run();
    // Closes the frame without asking the extension; Run then answers `exitCode`.
    void EndWith(int exitCode);
    HWND Window() const noexcept { return m_window.get(); }

private:
    using Site = tolv::com::ComObject<CFramePageSite>;

    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    bool TranslateForPage(MSG& message);
    void OnPageStatusChange(size_t pageIndex, DWORD flags) override;

    void InitialiseTabs();
    void FitLargestPage();
    RECT PageArea() const;
    bool SelectPage(size_t index);
    void DeactivateCurrent();
    HWND CurrentPageWindow() const;
    void ShowPageInfo();
    // Applies every changed page; false when one refused (the frame then stays open).
    bool ApplyChanged();
    void UpdateApplyButton();
    bool MayClose();
    void Close();

    CPageList& m_pages;
    FrameOptions m_options;
    std::vector<tolv::com::com_ptr<Site>> m_sites;
    tolv::ui::unique_window m_window;
    size_t m_current;
    UINT m_selectPageMessage;
    int m_exitCode;
};

}  // namespace pageframe
