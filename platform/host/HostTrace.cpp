#include "platform/host/HostTrace.h"

namespace host {

CTolvTrace& HostTrace() noexcept
{
    static CTolvTrace trace("PellaryHost", kTraceSteps, false);
    return trace;
}

}  // namespace host
