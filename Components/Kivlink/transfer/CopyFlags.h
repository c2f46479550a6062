#pragma once
// The ExecutionFlags of a copy request (its first integer) and their trace line.
#include "core/RequestData.h"

#include "KivlinkLib.h"

class CTolvTrace;

inline bool HasCopyFlag(const CRequestData& record, long flag)
{
    return (record.m_firstIntegerArg & flag) != 0;
}

// "<route>-Flags: eNoOverwrite=2, eLeaveIfDifferent=0, eBlocked=1, eMove=0": each flag's bit
// value when set, else 0.
void TraceCopyFlags(CTolvTrace* trace, const char* route, long flags);
