// The site the frame gives each of its pages: a page reports its changes through it
// (OnStatusChange), which the frame turns into its Apply button's state.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include "com/ComObject.h"

namespace pageframe {

// What the frame hears from a site; the frame outlives none of its sites' calls, and cuts the
// link (Detach) before it goes.
class IPageStatusListener {
public:
    virtual void OnPageStatusChange(size_t pageIndex, DWORD flags) = 0;

protected:
    ~IPageStatusListener() = default;
};

class CFramePageSite : public IPropertyPageSite {
public:
    using interface_map = tolv::com::interface_map<IPropertyPageSite>;

    CFramePageSite(IPageStatusListener* listener, size_t pageIndex) noexcept
        : m_listener(listener),
          m_pageIndex(pageIndex)
    {
    }
    virtual ~CFramePageSite() = default;

    // A page may keep its site after the frame has gone: its calls then reach nobody.
    void Detach() noexcept { m_listener = nullptr; }

    HRESULT STDMETHODCALLTYPE OnStatusChange(DWORD flags) override;
    HRESULT STDMETHODCALLTYPE GetLocaleID(LCID* locale) override;
    HRESULT STDMETHODCALLTYPE GetPageContainer(IUnknown** container) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* message) override;

private:
    IPageStatusListener* m_listener;
    size_t m_pageIndex;
};

}  // namespace pageframe
