#include "tools/kivctl/ExitCodes.h"

#include "KivlinkLib.h"

KivctlExitCode ExitCodeForResult(HRESULT hr)
{
    if (SUCCEEDED(hr)) {
        return kExitSuccess;
    }
    switch (hr) {
    case KIV_E_NOCONNECTION:
    case KIV_E_BADCONNECTION:
    case HRESULT_FROM_WIN32(ERROR_DEVICE_NOT_CONNECTED):  // the phone went away during the call
        return kExitNoPhone;
    case KIV_E_DRIVENOTFOUND:
    case KIV_E_FOLDERNOTFOUND:
    case KIV_E_FILENOTFOUND:
    case KIV_E_DEVICENOTFOUND:
    case HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND):
    case HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND):
        return kExitNotFound;
    case E_INVALIDARG:
        return kExitInvalidArgument;
    case KIV_E_FILEEXISTSALREADY:
    case HRESULT_FROM_WIN32(ERROR_FILE_EXISTS):
    case HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS):
        return kExitAlreadyExists;
    case E_ABORT:
    case KIV_E_CANCELLED:
    case HRESULT_FROM_WIN32(ERROR_CANCELLED):
        return kExitCancelled;
    default:
        return kExitFailure;
    }
}
