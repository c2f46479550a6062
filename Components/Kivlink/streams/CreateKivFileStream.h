#pragma once
// GetFile's stream over the PC temporary file that holds the phone file's content.
#include "core/KivString.h"

#include <windows.h>
#include <objidl.h>

// A read-only stream over tempFile, positioned at its start. From this call on the file
// belongs to the stream and its clones: it is deleted when the last of them goes, or at once
// when it cannot be opened. Every failure passes through the stream's error propagation.
HRESULT CreateKivFileStream(const CKivString& tempFile, IStream** stream) noexcept;
