#pragma once
// A client's stream written to a unique PC temporary file (KivNNNN.tmp.xxx), on its way to the
// phone. The caller keeps its reference to the stream.
#include "core/KivString.h"

#include <windows.h>
#include <objidl.h>

class CTolvTrace;

// E_INVALIDARG for a stream of 4 GiB or more; a failed file creation gives its Windows error.
HRESULT CopyStreamToTempFile(IStream* stream, CKivString& tempFile, CTolvTrace* trace);
