#pragma once
#include <windows.h>

class CTolvTrace;

// Handles the calling thread's pending window messages once, so that a single-threaded
// apartment caller stays responsive.
void DispatchPendingMessages();

// The one wait of Kivlink's threads: pending messages first, then the handle, which is closed
// afterwards. Signalled or abandoned: S_OK; timed out: E_FAIL.
HRESULT WaitAndCloseHandle(HANDLE handle, DWORD timeoutMs, CTolvTrace* trace);
