#include "com/ErrorInfo.h"

#include <oleauto.h>

#include "com/ComPtr.h"
#include "com/HResult.h"

namespace tolv::com {

HRESULT SetErrorInfoFor(HRESULT hr, const wchar_t* source, const wchar_t* description, REFIID iid) noexcept
{
    if (SUCCEEDED(hr)) {
        return hr;
    }
    com_ptr<ICreateErrorInfo> creator;
    if (FAILED(CreateErrorInfo(creator.put()))) {
        return hr;
    }
    creator->SetGUID(iid);
    // The setters take LPOLESTR but copy the text.
    creator->SetSource(const_cast<LPOLESTR>(source ? source : L""));
    creator->SetDescription(const_cast<LPOLESTR>(description ? description : L""));
    com_ptr<IErrorInfo> error;
    if (SUCCEEDED(creator.query(error))) {
        SetErrorInfo(0, error.get());
    }
    return hr;
}

HRESULT TakeErrorInfo(ErrorDetails& details) noexcept
{
    details.iid = GUID_NULL;
    details.source.reset();
    details.description.reset();
    com_ptr<IErrorInfo> error;
    const HRESULT hr = GetErrorInfo(0, error.put());
    if (hr != S_OK || !error) {
        return FAILED(hr) ? hr : S_FALSE;
    }
    error->GetGUID(&details.iid);
    error->GetSource(details.source.put());
    error->GetDescription(details.description.put());
    return S_OK;
}

HRESULT TakeErrorInfoFrom(IUnknown* object, REFIID iid, ErrorDetails& details) noexcept
{
    RETURN_HR_IF_NULL(E_POINTER, object);
    com_ptr<ISupportErrorInfo> support;
    com_ptr<IUnknown>(object).query(support);
    if (!support || support->InterfaceSupportsErrorInfo(iid) != S_OK) {
        details = ErrorDetails{};
        return S_FALSE;
    }
    return TakeErrorInfo(details);
}

}  // namespace tolv::com
