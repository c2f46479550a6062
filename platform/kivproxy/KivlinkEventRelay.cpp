#include "platform/kivproxy/KivlinkEventRelay.h"

namespace kivproxy {

HRESULT CKivlinkEventRelay::GetTypeInfoCount(UINT* count)
{
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT CKivlinkEventRelay::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info != nullptr) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT CKivlinkEventRelay::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT CKivlinkEventRelay::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                                   UINT*)
{
    if (result != nullptr) {
        VariantInit(result);
    }
    if (params == nullptr) {
        return E_INVALIDARG;
    }
    if (m_target != nullptr) {
        m_target->OnKivlinkEvent(id, *params);
    }
    return S_OK;
}

}  // namespace kivproxy
