#pragma once
// A COM failure raised inside Kivlink's phone wrappers. Operations catch it and return its
// code; one that reaches a worker's dispatch loop ends the server in order.
#include <windows.h>

class CKivComError {
public:
    explicit CKivComError(HRESULT hr) : m_hr(hr) {}
    HRESULT Error() const { return m_hr; }

private:
    HRESULT m_hr;
};

// Raises a failed result as a CKivComError.
inline void ThrowIfFailed(HRESULT hr)
{
    if (FAILED(hr))
        throw CKivComError(hr);
}
