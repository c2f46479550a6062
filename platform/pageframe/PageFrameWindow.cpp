#include "platform/pageframe/PageFrameWindow.h"

#include <algorithm>
#include <string>

#include <commctrl.h>

#include "com/HResult.h"
#include "platform/pageframe/PageFrameProtocol.h"
#include "platform/pageframe/PageFrameResources.h"

namespace pageframe {

namespace {

constexpr size_t kNoPage = static_cast<size_t>(-1);
constexpr wchar_t kDialogClass[] = L"#32770";

void OffsetControl(HWND dialog, int id, int dx, int dy, bool grow)
{
    HWND control = GetDlgItem(dialog, id);
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    if (grow) {
        SetWindowPos(control, nullptr, 0, 0, rect.right - rect.left + dx, rect.bottom - rect.top + dy,
                     SWP_NOMOVE | SWP_NOZORDER);
        return;
    }
    SetWindowPos(control, nullptr, rect.left + dx, rect.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

}  // namespace

CPageFrameWindow::CPageFrameWindow(CPageList& pages, const FrameOptions& options) noexcept
    : m_pages(pages),
      m_options(options),
      m_current(kNoPage),
      m_selectPageMessage(RegisterWindowMessageW(kSelectPageMessage)),
      m_exitCode(kExitClosed)
{
}

CPageFrameWindow::~CPageFrameWindow()
{
    DeactivateCurrent();
    m_window.reset();
    for (size_t index = 0; index < m_sites.size(); ++index) {
        m_sites[index]->Detach();
        m_pages.Pages()[index].page->SetPageSite(nullptr);
    }
}

HRESULT CPageFrameWindow::Create(HINSTANCE instance) noexcept
{
    // A frame may open without pages: the host shows its tool buttons whatever its plug-ins offer.
    RETURN_HR_IF(E_UNEXPECTED, m_window);
    try {
        for (size_t index = 0; index < m_pages.size(); ++index) {
            tolv::com::com_ptr<Site> site;
            IPageStatusListener* listener = this;
            RETURN_IF_FAILED(Site::Create(site, listener, index));
            RETURN_IF_FAILED(m_pages.Pages()[index].page->SetPageSite(site.get()));
            m_sites.push_back(std::move(site));
        }
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    HWND window = CreateDialogParamW(instance, MAKEINTRESOURCEW(m_options.dialogId), nullptr,
                                     &CPageFrameWindow::DialogProc, reinterpret_cast<LPARAM>(this));
    RETURN_LAST_ERROR_IF(window == nullptr);
    ShowWindow(window, SW_SHOW);
    return S_OK;
}

int CPageFrameWindow::Run()
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (TranslateForPage(message)) {
            continue;
        }
        if (m_window && IsDialogMessageW(m_window.get(), &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

void CPageFrameWindow::EndWith(int exitCode)
{
    m_exitCode = exitCode;
    Close();
}

bool CPageFrameWindow::TranslateForPage(MSG& message)
{
    if (m_current == kNoPage) {
        return false;
    }
    return m_pages.Pages()[m_current].page->TranslateAccelerator(&message) == S_OK;
}

void CPageFrameWindow::OnPageStatusChange(size_t /*pageIndex*/, DWORD /*flags*/)
{
    // Whatever the page says, its IsPageDirty is the truth the button follows.
    UpdateApplyButton();
}

INT_PTR CALLBACK CPageFrameWindow::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        reinterpret_cast<CPageFrameWindow*>(lParam)->m_window.reset(dialog);
    }
    auto* frame = reinterpret_cast<CPageFrameWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (frame == nullptr) {
        return FALSE;
    }
    INT_PTR handled = FALSE;
    try {
        handled = frame->Dispatch(message, wParam, lParam);
    } catch (...) {
        handled = FALSE;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(dialog, DWLP_USER, 0);
        frame->m_window.release();
    }
    return handled;
}

INT_PTR CPageFrameWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == m_selectPageMessage && m_selectPageMessage != 0) {
        SetWindowLongPtrW(m_window.get(), DWLP_MSGRESULT, SelectPage(static_cast<size_t>(wParam)) ? TRUE : FALSE);
        return TRUE;
    }
    switch (message) {
    case WM_INITDIALOG:
        InitialiseTabs();
        FitLargestPage();
        if (m_options.extension != nullptr) {
            m_options.extension->OnFrameCreated(m_window.get());
        }
        if (!SelectPage(m_options.firstPage)) {
            SelectPage(0);
        }
        // The focus went to the page's first control.
        return FALSE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header != nullptr && header->idFrom == kTabControlId && header->code == TCN_SELCHANGE) {
            const int selected = TabCtrl_GetCurSel(header->hwndFrom);
            SelectPage(selected < 0 ? kNoPage : static_cast<size_t>(selected));
            return TRUE;
        }
        return FALSE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            if (MayClose() && ApplyChanged()) {
                Close();
            }
            return TRUE;
        case IDCANCEL:
            if (MayClose()) {
                Close();
            }
            return TRUE;
        case kApplyButtonId:
            ApplyChanged();
            return TRUE;
        default:
            break;
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(m_exitCode);
        return TRUE;
    default:
        break;
    }
    LRESULT result = 0;
    if (m_options.extension == nullptr || !m_options.extension->OnFrameMessage(message, wParam, lParam, result)) {
        return FALSE;
    }
    SetWindowLongPtrW(m_window.get(), DWLP_MSGRESULT, result);
    return TRUE;
}

void CPageFrameWindow::InitialiseTabs()
{
    HWND tab = GetDlgItem(m_window.get(), kTabControlId);
    for (size_t index = 0; index < m_pages.size(); ++index) {
        std::wstring title = m_pages.Pages()[index].title;
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = title.data();
        TabCtrl_InsertItem(tab, static_cast<int>(index), &item);
    }
}

// The tab grows to hold the largest page; the controls below and beside it move along.
void CPageFrameWindow::FitLargestPage()
{
    const RECT area = PageArea();
    const SIZE largest = m_pages.LargestSize();
    const int dx = std::max(0L, largest.cx - (area.right - area.left));
    const int dy = std::max(0L, largest.cy - (area.bottom - area.top));
    if (dx == 0 && dy == 0) {
        return;
    }
    HWND dialog = m_window.get();
    OffsetControl(dialog, kTabControlId, dx, dy, true);
    OffsetControl(dialog, kPageInfoTextId, 0, dy, false);
    OffsetControl(dialog, kPageInfoTextId, dx, 0, true);
    for (int button : {IDOK, IDCANCEL, kApplyButtonId}) {
        OffsetControl(dialog, button, dx, dy, false);
    }
    RECT frame{};
    GetWindowRect(dialog, &frame);
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left + dx, frame.bottom - frame.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER);
}

RECT CPageFrameWindow::PageArea() const
{
    HWND tab = GetDlgItem(m_window.get(), kTabControlId);
    RECT area{};
    GetWindowRect(tab, &area);
    MapWindowPoints(nullptr, m_window.get(), reinterpret_cast<POINT*>(&area), 2);
    TabCtrl_AdjustRect(tab, FALSE, &area);
    return area;
}

bool CPageFrameWindow::SelectPage(size_t index)
{
    if (index >= m_pages.size()) {
        return false;
    }
    if (index == m_current) {
        return true;
    }
    DeactivateCurrent();
    TabCtrl_SetCurSel(GetDlgItem(m_window.get(), kTabControlId), static_cast<int>(index));
    const RECT area = PageArea();
    IPropertyPage* page = m_pages.Pages()[index].page.get();
    if (FAILED(page->Activate(m_window.get(), &area, FALSE))) {
        return false;
    }
    m_current = index;
    page->Show(SW_SHOW);
    ShowPageInfo();
    UpdateApplyButton();
    if (HWND pageWindow = CurrentPageWindow()) {
        if (HWND first = GetNextDlgTabItem(pageWindow, nullptr, FALSE)) {
            SetFocus(first);
        }
    }
    return true;
}

void CPageFrameWindow::DeactivateCurrent()
{
    if (m_current == kNoPage) {
        return;
    }
    m_pages.Pages()[m_current].page->Deactivate();
    m_current = kNoPage;
}

// The active page's dialog: the frame's one child dialog, since only one page is active.
HWND CPageFrameWindow::CurrentPageWindow() const
{
    return FindWindowExW(m_window.get(), nullptr, kDialogClass, nullptr);
}

void CPageFrameWindow::ShowPageInfo()
{
    const FramePage& current = m_pages.Pages()[m_current];
    const std::wstring text = L"Help: " + current.helpFile + L"    Document: " + current.docString;
    SetDlgItemTextW(m_window.get(), kPageInfoTextId, text.c_str());
}

bool CPageFrameWindow::ApplyChanged()
{
    bool allApplied = true;
    for (const FramePage& entry : m_pages.Pages()) {
        if (entry.page->IsPageDirty() == S_OK && FAILED(entry.page->Apply())) {
            allApplied = false;
        }
    }
    UpdateApplyButton();
    return allApplied;
}

void CPageFrameWindow::UpdateApplyButton()
{
    if (!m_window) {
        return;
    }
    const bool anyChanged = std::any_of(m_pages.Pages().begin(), m_pages.Pages().end(),
                                        [](const FramePage& entry) { return entry.page->IsPageDirty() == S_OK; });
    EnableWindow(GetDlgItem(m_window.get(), kApplyButtonId), anyChanged ? TRUE : FALSE);
}

bool CPageFrameWindow::MayClose()
{
    return m_options.extension == nullptr || m_options.extension->CanCloseFrame();
}

void CPageFrameWindow::Close()
{
    DeactivateCurrent();
    m_window.reset();
}

}  // namespace pageframe
