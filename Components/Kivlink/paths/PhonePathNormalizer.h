#pragma once
// The form every IKivVolume path takes before it reaches a worker: a drive in front
// ("C:" when none is given, "E:" for the shell's "MultiMediaCard (E:)" folder) and,
// on request, a trailing backslash.
#include "Components/Kivlink/core/KivString.h"

#include <string>
#include <string_view>

// The shell's name for the memory card, drive E.
inline constexpr std::wstring_view kMemoryCardFolder = L"MultiMediaCard (E:)";

// E_UNEXPECTED for a path of the retired shell extension (it contains "%MMC%"); the
// caller tells the user. E_OUTOFMEMORY when the result cannot be allocated.
HRESULT NormalizePhonePath(std::wstring_view path, bool trailingBackslash, std::wstring& normalized);
HRESULT NormalizePhonePath(std::wstring_view path, bool trailingBackslash, CKivString& normalized);
