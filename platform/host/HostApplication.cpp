#include "platform/host/HostApplication.h"

#include "com/HResult.h"

namespace host {

HRESULT CHostApplication::GetMainWindow(long* window)
{
    RETURN_HR_IF_NULL(E_POINTER, window);
    *window = 0;
    RETURN_HR_IF_NULL(E_UNEXPECTED, m_callbacks);
    // The published contract gives the window as a long: a handle's 32 significant bits.
    *window = static_cast<long>(reinterpret_cast<LONG_PTR>(m_callbacks->MainWindow()));
    return S_OK;
}

HRESULT CHostApplication::RegisterCommands(IDispatch* commands, long cookie)
{
    RETURN_HR_IF_NULL(E_POINTER, commands);
    RETURN_HR_IF_NULL(E_UNEXPECTED, m_callbacks);
    return m_callbacks->OnRegisterCommands(commands, cookie);
}

HRESULT CHostApplication::GetPageCount(long* count)
{
    RETURN_HR_IF_NULL(E_POINTER, count);
    *count = 0;
    RETURN_HR_IF_NULL(E_UNEXPECTED, m_callbacks);
    *count = m_callbacks->PageCount();
    return S_OK;
}

HRESULT CHostApplication::AddPage(IUnknown* page)
{
    RETURN_HR_IF_NULL(E_POINTER, page);
    RETURN_HR_IF_NULL(E_UNEXPECTED, m_callbacks);
    return m_callbacks->OnAddPage(page);
}

}  // namespace host
