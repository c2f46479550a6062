#include "CopyFlags.h"

#include "trace/TolvTrace.h"

void TraceCopyFlags(CTolvTrace* trace, const char* route, CKivExecutionFlags flags)
{
    trace->Format(3, "%s-Flags: eNoOverwrite=%d, eLeaveIfDifferent=%d, eBlocked=%d, eMove=%d", route,
                  static_cast<int>(flags.BitOf(eNoOverwrite)), static_cast<int>(flags.BitOf(eLeaveIfDifferent)),
                  static_cast<int>(flags.BitOf(eBlocked)), static_cast<int>(flags.BitOf(eMove)));
}
