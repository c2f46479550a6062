#pragma once
// A COM failure raised inside Kivlink's phone wrappers, with the place of the call that
// failed. Operations catch it, trace that place and return its code; one that reaches a
// worker's dispatch loop ends the server in order.
#include "trace/TraceResult.h"

#include <windows.h>

class CKivComError {
public:
    CKivComError(HRESULT hr, const tolv::trace::site& where) : m_hr(hr), m_where(where) {}
    HRESULT Error() const { return m_hr; }
    const tolv::trace::site& Where() const { return m_where; }

private:
    HRESULT m_hr;
    tolv::trace::site m_where;
};

inline void ThrowIfFailed(HRESULT hr, const tolv::trace::site& where)
{
    if (FAILED(hr))
        throw CKivComError(hr, where);
}

// Raises a failed phone call as a CKivComError naming this file's unit and line.
#define KIV_THROW_IF_FAILED(expr) ThrowIfFailed((expr), TOLV_HERE)
