#pragma once
// A name for a new file that keeps an existing one of the wanted name: base " (N)" extension
// with the smallest N from 0 that no entry of the folder carries. Both file systems ignore
// letter case in names, so neither does the comparison: "A (0).MP3" keeps "a (0).mp3" free
// of use.
#include "core/KivString.h"

#include <vector>

class CSymbianDevice;

// The base and the extension (with its dot; empty when the name has none) of a file name.
void SplitBaseAndExtension(const CKivString& name, CKivString& base, CKivString& extension);

// The first candidate that is none of the taken names.
CKivString FirstFreeName(const CKivString& wanted, const std::vector<CKivString>& taken);

// In a phone folder (its full path) and in a PC folder.
HRESULT UniquePhoneName(CSymbianDevice& device, const CKivString& folder, const CKivString& wanted, CKivString& unique);
HRESULT UniquePcName(const CKivString& folder, const CKivString& wanted, CKivString& unique);
