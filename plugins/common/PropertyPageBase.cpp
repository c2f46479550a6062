#include "plugins/common/PropertyPageBase.h"

#include "com/Module.h"
#include "com/UniqueCoTaskMem.h"
#include "plugins/common/DialogTemplateSize.h"
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("CPropertyPageBase");

namespace tolv::plugins {

using tolv::com::CoTaskMemCopy;
using tolv::com::unique_cotaskmem_string;

namespace {

bool IsKeyboardMessage(UINT message) noexcept
{
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

// PROPPAGEINFO leaves absent texts null rather than empty.
unique_cotaskmem_string CopyUnlessEmpty(const std::wstring& text, bool& outOfMemory) noexcept
{
    if (text.empty()) {
        return {};
    }
    unique_cotaskmem_string copy = CoTaskMemCopy(text);
    outOfMemory = outOfMemory || !copy;
    return copy;
}

}  // namespace

CPropertyPageBase::CPropertyPageBase(UINT dialogId, UINT titleStringId, HINSTANCE resources) noexcept
    : m_dialogId(dialogId),
      m_titleStringId(titleStringId),
      m_resources(resources ? resources : tolv::com::Module::Instance().GetInstance())
{
}

CPropertyPageBase::~CPropertyPageBase()
{
    // A frame that let the page go while it was shown: the derived page is gone already, so
    // the dialog's last messages must not reach it.
    if (m_window) {
        SetWindowLongPtrW(m_window.get(), DWLP_USER, 0);
        m_window.reset();
    }
}

std::wstring CPropertyPageBase::LoadText(UINT id) const
{
    const wchar_t* text = nullptr;
    // Length 0 asks for a pointer into the resource itself, which is not terminated.
    const int length = LoadStringW(m_resources, id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) {
        return {};
    }
    return std::wstring(text, static_cast<size_t>(length));
}

std::wstring CPropertyPageBase::Title() const
{
    return LoadText(m_titleStringId);
}

void CPropertyPageBase::SetDirty(bool dirty)
{
    if (m_dirty == dirty) {
        return;
    }
    m_dirty = dirty;
    if (m_site) {
        TOLV_LOG_IF_FAILED(m_site->OnStatusChange(dirty ? PROPPAGESTATUS_DIRTY : PROPPAGESTATUS_CLEAN));
    }
}

HRESULT STDMETHODCALLTYPE CPropertyPageBase::SetPageSite(IPropertyPageSite* site)
{
    m_site = tolv::com::com_ptr<IPropertyPageSite>(site);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CPropertyPageBase::Activate(HWND parent, LPCRECT rect, BOOL /*modal*/)
{
    TOLV_RETURN_HR_IF(E_POINTER, rect == nullptr);
    TOLV_RETURN_HR_IF(E_UNEXPECTED, m_window);
    const HWND dialog = CreateDialogParamW(m_resources, MAKEINTRESOURCEW(m_dialogId), parent,
                                           &CPropertyPageBase::DialogProc, reinterpret_cast<LPARAM>(this));
    TOLV_RETURN_LAST_ERROR_IF(dialog == nullptr);
    return Move(rect);
}

HRESULT STDMETHODCALLTYPE CPropertyPageBase::Deactivate()
{
    TOLV_RETURN_HR_IF(E_UNEXPECTED, !m_window);
    m_window.reset();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CPropertyPageBase::GetPageInfo(PROPPAGEINFO* info)
{
    TOLV_RETURN_HR_IF(E_POINTER, info == nullptr);
    *info = PROPPAGEINFO{};
    info->cb = sizeof(PROPPAGEINFO);
    SIZE size{};
    TOLV_RETURN_IF_FAILED(GetDialogTemplateSize(m_resources, m_dialogId, size));
    bool outOfMemory = false;
    unique_cotaskmem_string title;
    try {
        title = CopyUnlessEmpty(Title(), outOfMemory);
    } catch (...) {
        outOfMemory = true;
    }
    unique_cotaskmem_string docString = CopyUnlessEmpty(m_docString, outOfMemory);
    unique_cotaskmem_string helpFile = CopyUnlessEmpty(m_helpFile, outOfMemory);
    TOLV_RETURN_HR_IF(E_OUTOFMEMORY, outOfMemory);
    info->size = size;
    info->pszTitle = title.release();
    info->pszDocString = docString.release();
    info->pszHelpFile = helpFile.release();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CPropertyPageBase::SetObjects(ULONG count, IUnknown** objects)
{
    TOLV_RETURN_HR_IF(E_POINTER, count > 0 && objects == nullptr);
    try {
        std::vector<tolv::com::com_ptr<IUnknown>> kept;
        kept.reserve(count);
        for (ULONG index = 0; index < count; ++index) {
            kept.emplace_back(objects[index]);
        }
        m_objects = std::move(kept);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CPropertyPageBase::Show(UINT command)
{
    TOLV_RETURN_HR_IF(E_UNEXPECTED, !m_window);
    ShowWindow(m_window.get(), static_cast<int>(command));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CPropertyPageBase::Move(LPCRECT rect)
{
    TOLV_RETURN_HR_IF(E_POINTER, rect == nullptr);
    TOLV_RETURN_HR_IF(E_UNEXPECTED, !m_window);
    TOLV_RETURN_LAST_ERROR_IF(
        !MoveWindow(m_window.get(), rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CPropertyPageBase::IsPageDirty()
{
    return m_dirty ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE CPropertyPageBase::Apply()
{
    HRESULT hr = E_UNEXPECTED;
    try {
        hr = OnApply();
    } catch (...) {
        hr = E_UNEXPECTED;
    }
    TOLV_RETURN_IF_FAILED(hr);
    SetDirty(false);
    return hr;
}

HRESULT STDMETHODCALLTYPE CPropertyPageBase::Help(LPCOLESTR helpDir)
{
    try {
        return OnHelp(helpDir);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT STDMETHODCALLTYPE CPropertyPageBase::TranslateAccelerator(MSG* message)
{
    TOLV_RETURN_HR_IF(E_POINTER, message == nullptr);
    if (!m_window || !IsKeyboardMessage(message->message)) {
        return S_FALSE;
    }
    // Only keys meant for the page's own controls: the frame's buttons keep theirs.
    if (message->hwnd != m_window.get() && !IsChild(m_window.get(), message->hwnd)) {
        return S_FALSE;
    }
    return IsDialogMessageW(m_window.get(), message) ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE CPropertyPageBase::EditProperty(DISPID /*dispid*/)
{
    return E_NOTIMPL;
}

INT_PTR CALLBACK CPropertyPageBase::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* page = reinterpret_cast<CPropertyPageBase*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        page->m_window.reset(dialog);
    }
    auto* page = reinterpret_cast<CPropertyPageBase*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (page == nullptr) {
        return FALSE;
    }
    INT_PTR handled = FALSE;
    // The dialog manager is C: nothing may be thrown through it.
    try {
        handled = page->Dispatch(message, wParam, lParam);
    } catch (...) {
        tolv::trace::Error(TOLV_HERE);
        handled = FALSE;
    }
    if (message == WM_NCDESTROY) {
        // Gone with its parent or by Deactivate: either way the page no longer owns it.
        SetWindowLongPtrW(dialog, DWLP_USER, 0);
        page->m_window.release();
    }
    return handled;
}

INT_PTR CPropertyPageBase::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    case WM_NOTIFY:
        if (lParam == 0 || !OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) {
            return FALSE;
        }
        SetWindowLongPtrW(m_window.get(), DWLP_MSGRESULT, result);
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return TRUE;
    default:
        if (!OnMessage(message, wParam, lParam, result)) {
            return FALSE;
        }
        SetWindowLongPtrW(m_window.get(), DWLP_MSGRESULT, result);
        return TRUE;
    }
}

}  // namespace tolv::plugins
