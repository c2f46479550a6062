#pragma once
// The registered type libraries the plug-ins' late-bound side reads: the host's (IHostPlugIn,
// IHostCommands) and the Dare & Zavu library's task contract (ITolvTaskScheduler). The host and
// Taskpane.dll register them; the plug-ins do not carry copies.
#include "com/DispatchImpl.h"
#include "HostLib.h"
#include "TaskpaneLib.h"

namespace tolv::plugins {

inline constexpr tolv::com::TypeLibrary kHostLibrary{&LIBID_HostLib, 1, 0};
inline constexpr tolv::com::TypeLibrary kTaskpaneLibrary{&LIBID_TaskpaneLib, 1, 0};

// The model name of the one phone the plug-ins offer their tool buttons for (exact case).
inline constexpr wchar_t kSupportedPhoneModel[] = L"Tamlo";

}  // namespace tolv::plugins
