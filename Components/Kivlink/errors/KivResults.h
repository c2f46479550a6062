#pragma once
// Results Kivlink gives beyond the codes of its type library, each under one name.
#include "KivlinkLib.h"

#include <windows.h>

// A copy that arrived shorter than its source (the Windows disk-full error as an HRESULT).
constexpr HRESULT KIV_E_NOT_FULLY_COPIED = static_cast<HRESULT>(0x80070070);
// A phone file whose read-only bit refuses its removal.
constexpr HRESULT KIV_E_READ_ONLY_FILE = static_cast<HRESULT>(0x80071779);

// The model's answers for a path that names nothing (as opposed to a phone that failed).
inline bool IsNotFoundResult(HRESULT hr)
{
    return hr == KIV_E_FILENOTFOUND || hr == KIV_E_FOLDERNOTFOUND || hr == KIV_E_DRIVENOTFOUND;
}
