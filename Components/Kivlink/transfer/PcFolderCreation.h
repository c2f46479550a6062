#pragma once
// Creating a PC folder together with every missing folder above it.
#include <windows.h>

class CTolvTrace;

// 0x80070090 when a folder above is a file; otherwise the Windows error of the creation.
constexpr HRESULT KIV_E_PC_PARENT_IS_FILE = static_cast<HRESULT>(0x80070090);
HRESULT CreatePcFolder(const wchar_t* path, CTolvTrace* trace);
