#pragma once
// The files the scale and memory measurements put on the card and on the PC: small, so that
// what is measured is Kivlink's work per entry and per request, not the bytes moved.
#include <windows.h>

#include <string>

constexpr DWORD kSmallFileBytes = 16;

HRESULT WriteSmallFile(const std::wstring& path);
// Whether the file is there with exactly kSmallFileBytes bytes.
bool IsSmallFile(const std::wstring& path);
