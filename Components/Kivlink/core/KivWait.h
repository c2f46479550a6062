#pragma once
#include <windows.h>

class CTolvTrace;

// Handles the calling thread's pending window messages once, so that a single-threaded
// apartment caller stays responsive.
void DispatchPendingMessages();

// The one wait of Kivlink's threads: pending messages first, then the handle (its owner
// closes it). Signalled or abandoned: S_OK; timed out: E_FAIL.
HRESULT WaitForHandle(HANDLE handle, DWORD timeoutMs, CTolvTrace* trace);
