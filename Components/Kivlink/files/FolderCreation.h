#pragma once
// Creating a phone folder together with every missing folder above it.
#include "core/KivString.h"

#include <windows.h>

class CSymbianDevice;
class CTolvTrace;

// S_OK at once when the folder exists. changedParent (may be null) receives the folder whose
// contents changed, for the caller to invalidate later.
HRESULT CreatePhoneFolder(CSymbianDevice& device, const wchar_t* path, CTolvTrace* trace, CKivString* changedParent);
