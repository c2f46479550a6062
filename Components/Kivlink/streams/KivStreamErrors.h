#pragma once
// The one way out of a failing stream method: the code's text in the suite's language becomes
// the thread's error object for IStream, and the code is handed back unchanged.
#include <windows.h>

// Traces "KivSTREAM: PropagateError" and sets the error object; for failure codes only.
HRESULT PropagateStreamError(HRESULT hr) noexcept;

// What a stream method returns: success as it is, a failure through PropagateStreamError.
inline HRESULT StreamResult(HRESULT hr) noexcept
{
    return SUCCEEDED(hr) ? hr : PropagateStreamError(hr);
}
