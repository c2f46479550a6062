#include "CopyFlags.h"

#include "trace/TolvTrace.h"

void TraceCopyFlags(CTolvTrace* trace, const char* route, long flags)
{
    trace->Format(3, "%s-Flags: eNoOverwrite=%d, eLeaveIfDifferent=%d, eBlocked=%d, eMove=%d", route,
                  static_cast<int>(flags & eNoOverwrite), static_cast<int>(flags & eLeaveIfDifferent),
                  static_cast<int>(flags & eBlocked), static_cast<int>(flags & eMove));
}
