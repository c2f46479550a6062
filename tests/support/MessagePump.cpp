#include "MessagePump.h"

bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD sliceMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (GetTickCount() - start >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, sliceMs, QS_ALLINPUT);
    }
    return true;
}
