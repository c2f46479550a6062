#pragma once
// The version of this program's own file, as its version resource states it.
#include "core/KivString.h"

#include <windows.h>

// path: the program file; version: "%ld.%ld.%ld.%ld" of the fixed file version, or "version
// unknown" when the resource has no fixed part. A missing resource gives its Windows error.
HRESULT ReadProgramVersion(CKivString& path, CKivString& version);
