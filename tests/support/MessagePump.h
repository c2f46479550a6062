#pragma once
// Waiting on a thread that must keep its windows and its apartment answering meanwhile: events
// of COM objects, messages other threads send, dialogs a test drives.
#include <windows.h>

#include <functional>

// Pumps the calling thread's messages until `done` holds (true) or `timeoutMs` has passed
// (false); `done` is asked between rounds, at least every `sliceMs`.
bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD sliceMs = 50);
