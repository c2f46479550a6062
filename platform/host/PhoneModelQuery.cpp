#include "platform/host/PhoneModelQuery.h"

#include "KivProxyLib.h"
#include "com/ComInit.h"
#include "com/CreationRetry.h"
#include "com/HResult.h"
#include "com/UniqueBstr.h"

namespace host {

HRESULT CPhoneModelQuery::Start(HWND window, UINT message) noexcept
{
    RETURN_HR_IF(E_UNEXPECTED, m_thread.valid());
    m_window = window;
    m_message = message;
    m_thread.reset(CreateThread(nullptr, 0, &CPhoneModelQuery::Ask, this, 0, nullptr));
    RETURN_LAST_ERROR_IF(!m_thread.valid());
    return S_OK;
}

std::wstring CPhoneModelQuery::Wait() noexcept
{
    if (m_thread.valid()) {
        // The calling apartment keeps answering COM calls meanwhile: Kivlink may be calling it.
        HANDLE thread = m_thread.get();
        DWORD index = 0;
        if (FAILED(CoWaitForMultipleHandles(0, INFINITE, 1, &thread, &index))) {
            WaitForSingleObject(thread, INFINITE);
        }
        m_thread.reset();
    }
    return m_model;
}

DWORD WINAPI CPhoneModelQuery::Ask(void* parameter)
{
    auto* query = static_cast<CPhoneModelQuery*>(parameter);
    {
        const tolv::com::com_init com(COINIT_APARTMENTTHREADED);
        tolv::com::com_ptr<IKivProxyServer> proxy;
        tolv::com::unique_bstr model;
        if (com.succeeded() &&
            SUCCEEDED(tolv::com::CreateInstanceRetrying(CLSID_KivProxyServer, CLSCTX_INPROC_SERVER, proxy)) &&
            SUCCEEDED(proxy->GetPhoneName(model.put()))) {
            try {
                query->m_model = model.c_str();
            } catch (...) {
                query->m_model.clear();
            }
        }
    }
    // The main thread reads the model after Wait, which the thread's end orders after the write.
    PostMessageW(query->m_window, query->m_message, 0, 0);
    return 0;
}

}  // namespace host
