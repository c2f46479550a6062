#pragma once
// The names of the PC files (and folders) that match a Windows search pattern (folder and wildcards).
#include "core/KivString.h"

#include <vector>

// Their own names, without the folder; folders only with foldersToo. No match is S_OK with none.
HRESULT ListPcNames(const wchar_t* pattern, bool foldersToo, std::vector<CKivString>& names);
