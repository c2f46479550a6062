// The host's trace ("PellaryHost"), for what goes wrong without stopping it: a plug-in that
// cannot be created or connected, a phone proxy that is missing, a press that timed out.
#pragma once

#include "trace/TolvTrace.h"

namespace host {

inline constexpr int kTraceErrors = 1;
inline constexpr int kTraceSteps = 3;

// One for the process, made on first use; any thread.
CTolvTrace& HostTrace() noexcept;

}  // namespace host
