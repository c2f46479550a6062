#include "KivWait.h"

#include "trace/TolvTrace.h"

void DispatchPendingMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

HRESULT WaitForHandle(HANDLE handle, DWORD timeoutMs, CTolvTrace* trace)
{
    DispatchPendingMessages();
    DWORD result = WaitForSingleObject(handle, timeoutMs);
    switch (result) {
    case WAIT_OBJECT_0:
        if (trace)
            trace->Format(3, "Wait finished, get Signal");
        return S_OK;
    case WAIT_TIMEOUT:
        if (trace)
            trace->Format(3, "E_STATE: Wait-Timeout (%d ms) elapsed.", static_cast<int>(timeoutMs));
        return E_FAIL;
    case WAIT_ABANDONED:
        if (trace)
            trace->Format(3, "WARNING:  Wait finished with WAIT_ABANDONED!");
        return S_OK;
    default:
        if (trace)
            trace->Format(3, "WARNING:  Wait return code: %d!", static_cast<int>(result));
        return S_OK;
    }
}
