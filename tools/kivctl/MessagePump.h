// Waiting in a single-threaded apartment: the thread's messages are dispatched while it
// waits, and with them the incoming COM calls (Kivlink's events).
#pragma once

#include <windows.h>

#include <functional>

// Dispatches messages until `done()` answers true (true) or `timeoutMs` ran out (false).
// `wake` (may be null) ends a quiet wait early so that `done` is asked again.
bool PumpMessagesUntil(const std::function<bool()>& done, HANDLE wake, DWORD timeoutMs);
