// kivctl's exit codes. Scripts branch on them, so the numbers never change.
#pragma once

#include <windows.h>

enum KivctlExitCode : int {
    kExitSuccess = 0,
    kExitUsage = 1,
    kExitNoKivlink = 2,
    kExitNoPhone = 3,
    kExitNotFound = 4,
    kExitInvalidArgument = 5,
    kExitAlreadyExists = 6,
    kExitCancelled = 7,
    kExitFailure = 8,
};

// The exit code for the result of a call on Kivlink (creation failures are kExitNoKivlink,
// decided by the caller).
KivctlExitCode ExitCodeForResult(HRESULT hr);
