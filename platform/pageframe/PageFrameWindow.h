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
#include "platform/pageframe/FramePageSite.h"
#include "platform/pageframe/PageList.h"
#include "ui/UniqueWindow.h"

namespace pageframe {

class CPageFrameWindow final : private IPageStatusListener {
public:
    explicit CPageFrameWindow(CPageList& pages) noexcept;
    ~CPageFrameWindow();
    CPageFrameWindow(const CPageFrameWindow&) = delete;
    CPageFrameWindow& operator=(const CPageFrameWindow&) = delete;

    // Gives the pages their sites, opens the window and shows the first page.
    HRESULT Create(HINSTANCE instance) noexcept;
    // The message loop, until the frame closes; the exit code.
    int Run();

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
    void Close();

    CPageList& m_pages;
    std::vector<tolv::com::com_ptr<Site>> m_sites;
    tolv::ui::unique_window m_window;
    size_t m_current;
    UINT m_selectPageMessage;
};

}  // namespace pageframe
