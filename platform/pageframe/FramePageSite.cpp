#include "platform/pageframe/FramePageSite.h"

#include "com/HResult.h"

namespace pageframe {

HRESULT STDMETHODCALLTYPE CFramePageSite::OnStatusChange(DWORD flags)
{
    if (m_listener != nullptr) {
        m_listener->OnPageStatusChange(m_pageIndex, flags);
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CFramePageSite::GetLocaleID(LCID* locale)
{
    RETURN_HR_IF_NULL(E_POINTER, locale);
    *locale = GetUserDefaultLCID();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CFramePageSite::GetPageContainer(IUnknown** container)
{
    RETURN_HR_IF_NULL(E_POINTER, container);
    *container = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CFramePageSite::TranslateAccelerator(MSG* message)
{
    RETURN_HR_IF_NULL(E_POINTER, message);
    // The frame runs its own keys in its message loop, after the page's.
    return S_FALSE;
}

}  // namespace pageframe
