#pragma once
// The ExecutionFlags a client passed with a request (eBlocked, eNoOverwrite, eMove,
// eLeaveIfDifferent), asked one flag at a time.
#include "KivlinkLib.h"

class CKivExecutionFlags {
public:
    constexpr explicit CKivExecutionFlags(long bits) : m_bits(bits) {}

    constexpr bool Has(ExecutionFlags flag) const { return (m_bits & flag) != 0; }
    // The flag's bit when it is set, else 0 (as the trace lines show them).
    constexpr long BitOf(ExecutionFlags flag) const { return m_bits & flag; }
    constexpr long Bits() const { return m_bits; }

private:
    long m_bits;
};
