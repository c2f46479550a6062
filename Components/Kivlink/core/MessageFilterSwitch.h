#pragma once
// The machine-wide switch for the incoming-call filter: the DWORD "KivlinkUseMessageFilter"
// under HKLM Software\Vostrel\Pellary, 1 (or any value but 0) for on. Off when missing.
bool MessageFilterSwitchedOn();
