#include "tools/kivctl/ExitCodes.h"

#include <gtest/gtest.h>

#include "KivlinkLib.h"

TEST(KivctlExitCodes, EachFailureKindHasItsCode)
{
    EXPECT_EQ(ExitCodeForResult(S_OK), kExitSuccess);
    EXPECT_EQ(ExitCodeForResult(S_FALSE), kExitSuccess);
    EXPECT_EQ(ExitCodeForResult(KIV_E_NOCONNECTION), kExitNoPhone);
    EXPECT_EQ(ExitCodeForResult(KIV_E_BADCONNECTION), kExitNoPhone);
    EXPECT_EQ(ExitCodeForResult(HRESULT_FROM_WIN32(ERROR_DEVICE_NOT_CONNECTED)), kExitNoPhone);
    EXPECT_EQ(ExitCodeForResult(KIV_E_DRIVENOTFOUND), kExitNotFound);
    EXPECT_EQ(ExitCodeForResult(KIV_E_FOLDERNOTFOUND), kExitNotFound);
    EXPECT_EQ(ExitCodeForResult(KIV_E_FILENOTFOUND), kExitNotFound);
    EXPECT_EQ(ExitCodeForResult(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)), kExitNotFound);
    EXPECT_EQ(ExitCodeForResult(E_INVALIDARG), kExitInvalidArgument);
    EXPECT_EQ(ExitCodeForResult(KIV_E_FILEEXISTSALREADY), kExitAlreadyExists);
    EXPECT_EQ(ExitCodeForResult(static_cast<HRESULT>(0x800700B7)), kExitAlreadyExists);
    EXPECT_EQ(ExitCodeForResult(E_ABORT), kExitCancelled);
    EXPECT_EQ(ExitCodeForResult(KIV_E_CANCELLED), kExitCancelled);
    EXPECT_EQ(ExitCodeForResult(E_FAIL), kExitFailure);
    EXPECT_EQ(ExitCodeForResult(static_cast<HRESULT>(0x80071779)), kExitFailure);
    EXPECT_EQ(ExitCodeForResult(KIV_E_TIMEOUT), kExitFailure);
}
