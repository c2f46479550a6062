#include "FakeHost.h"

HRESULT STDMETHODCALLTYPE CFakeHost::GetMainWindow(long* window)
{
    *window = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CFakeHost::RegisterCommands(IDispatch* dispatch, long hostCookie)
{
    if (FAILED(refuseCommands))
        return refuseCommands;
    cookie = hostCookie;
    return dispatch->QueryInterface(IID_PPV_ARGS(commands.put()));
}

HRESULT STDMETHODCALLTYPE CFakeHost::GetPageCount(long* count)
{
    *count = static_cast<long>(pages.size());
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CFakeHost::AddPage(IUnknown* page)
{
    tolv::com::com_ptr<IPropertyPage> propertyPage;
    RETURN_IF_FAILED(page->QueryInterface(IID_PPV_ARGS(propertyPage.put())));
    pages.push_back(propertyPage);
    return S_OK;
}
