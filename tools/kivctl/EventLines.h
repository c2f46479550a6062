// The one-line texts of Kivlink's events, as `kivctl watch` prints them.
#pragma once

#include <windows.h>

#include <string>

// "format", "backup", "restore", "copy-from-pc", "copy-to-pc", "conversion", else the number.
std::wstring ActionName(long action);

// "connected NAME key=value key=value ..."
std::wstring DeviceConnectedLine(const std::wstring& name, const std::wstring& information);
// "disconnected NAME"
std::wstring DeviceDisconnectedLine(const std::wstring& name);
// "progress ACTION PATH 42%"
std::wstring ProgressLine(long action, const std::wstring& path, long percentage);
// "completed ACTION PATH 0x00000000"
std::wstring CompletionLine(long action, const std::wstring& path, HRESULT result);

// "0x8004B001"
std::wstring HResultText(HRESULT hr);
