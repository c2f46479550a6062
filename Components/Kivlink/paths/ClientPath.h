#pragma once
// The way back from a phone folder name ("C:\Images\", "E:\Sounds\") to the form IKivVolume
// clients see and register with ("\Images\", "MultiMediaCard (E:)\Sounds\"): no drive letter,
// the memory card under the shell's name, and always a trailing backslash.
#include <string>
#include <string_view>

#include <windows.h>

// E_OUTOFMEMORY when the result cannot be allocated.
HRESULT ToClientPath(std::wstring_view phoneFolder, std::wstring& clientPath);
