#include "ExistingDestination.h"

#include "KivlinkLib.h"
#include "trace/TolvTrace.h"

HRESULT JudgeExistingDestination(CTolvTrace* trace, CKivExecutionFlags flags, const CKivString& path, bool& rename)
{
    // eNoOverwrite together with eLeaveIfDifferent refuses only an identical file, later.
    if (flags.Has(eLeaveIfDifferent)) {
        trace->Format(3, "file exists and eLeaveIfDifferent is set");
        trace->Format(3, "destination file %s will be renamed", path.Narrow().c_str());
        rename = true;
        return S_OK;
    }
    if (flags.Has(eNoOverwrite)) {
        trace->Format(3, "file exists and eNoOverwrite is set");
        return KIV_E_FILEEXISTSALREADY;
    }
    return S_OK;
}
