#pragma once
// What a file already at a copy's destination means, in both directions: with
// eLeaveIfDifferent it is kept if it differs from the source (the copy gets a new name, decided
// later), else with eNoOverwrite the copy is refused, else it is replaced.
#include "core/ExecutionFlagSet.h"
#include "core/KivString.h"

#include <windows.h>

class CTolvTrace;

// rename is set for eLeaveIfDifferent; KIV_E_FILEEXISTSALREADY for eNoOverwrite alone.
HRESULT JudgeExistingDestination(CTolvTrace* trace, CKivExecutionFlags flags, const CKivString& path, bool& rename);
