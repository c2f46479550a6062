#include "tools/kivctl/MessagePump.h"

namespace {

void DispatchWaitingMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

bool PumpMessagesUntil(const std::function<bool()>& done, HANDLE wake, DWORD timeoutMs)
{
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        DispatchWaitingMessages();
        if (done()) {
            return true;
        }
        DWORD remaining = INFINITE;
        if (timeoutMs != INFINITE) {
            const ULONGLONG spent = GetTickCount64() - start;
            if (spent >= timeoutMs) {
                return false;
            }
            remaining = static_cast<DWORD>(timeoutMs - spent);
        }
        const DWORD handleCount = wake != nullptr ? 1 : 0;
        MsgWaitForMultipleObjectsEx(handleCount, handleCount ? &wake : nullptr, remaining, QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
    }
}
