// `kivctl cat`: a stream's bytes to a file handle as they are (no text translation), a chunk
// at a time, so that a large phone file never sits in memory whole.
#pragma once

#include <windows.h>
#include <objidl.h>

// Copies `stream` from its position to its end into `output`. The first failure of a read or
// a write ends the copy and is the answer; what was written before stays written.
HRESULT CopyStreamToHandle(IStream* stream, HANDLE output);
