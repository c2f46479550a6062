#pragma once
// Every message box and modal question of the suite's programs goes through here. In
// production it is the real box; a test in the same process puts an answerer in its place, a
// test in another process answers the real box by its caption.
#include <windows.h>

namespace tolv::ui {

using MessageBoxAnswerer = int (*)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

// MessageBoxW's answer (IDOK, IDYES, ...), or the answerer's.
int ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

// The same for texts in the ANSI code page, as the suite's resources give them.
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type);

// Puts an answerer in the real box's place (null: the real box again); returns the one before.
MessageBoxAnswerer SetMessageBoxAnswerer(MessageBoxAnswerer answerer);

}  // namespace tolv::ui
