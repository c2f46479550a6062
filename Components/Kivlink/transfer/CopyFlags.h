#pragma once
// The trace line of a copy request's ExecutionFlags.
#include "core/RequestData.h"

#include "KivlinkLib.h"

class CTolvTrace;

// "<route>-Flags: eNoOverwrite=2, eLeaveIfDifferent=0, eBlocked=1, eMove=0": each flag's bit
// value when set, else 0.
void TraceCopyFlags(CTolvTrace* trace, const char* route, CKivExecutionFlags flags);
