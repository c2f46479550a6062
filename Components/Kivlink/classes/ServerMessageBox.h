#pragma once
// Every box the server shows goes through here. In production it is a real box without owner
// (a local server has no window of its own to own it); tests in the server's process put an
// answerer in its place, tests in other processes answer the real box by its caption.
#include <windows.h>

using ServerMessageBoxAnswerer = int (*)(const wchar_t* text, const wchar_t* caption, UINT type);

int ShowServerMessageBox(const wchar_t* text, const wchar_t* caption, UINT type);

// Puts an answerer in the real box's place (null: the real box again); returns the one before.
ServerMessageBoxAnswerer SetServerMessageBoxAnswerer(ServerMessageBoxAnswerer answerer);
