#include "tools/kivctl/NotifySink.h"

HRESULT CKivctlNotifySink::OnChange(BSTR path)
{
    if (m_observer == nullptr) {
        return S_OK;
    }
    try {
        m_observer->OnFolderChanged(std::wstring(path ? path : L"", path ? SysStringLen(path) : 0));
        return S_OK;
    } catch (...) {
        // Nothing may leave a COM method; a lost line of output is the worst outcome.
        return E_UNEXPECTED;
    }
}
