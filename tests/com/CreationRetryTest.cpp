// Which failed creations are tried again: only those of a server that is just ending.
#include <gtest/gtest.h>

#include "com/CreationRetry.h"

using tolv::com::IsPassingCreationFailure;

TEST(CreationRetry, OnlyTheFailuresOfAnEndingServerAreTriedAgain)
{
    EXPECT_TRUE(IsPassingCreationFailure(CO_E_SERVER_STOPPING));
    EXPECT_TRUE(IsPassingCreationFailure(E_NOINTERFACE));
    EXPECT_TRUE(IsPassingCreationFailure(E_FAIL));
    EXPECT_TRUE(IsPassingCreationFailure(RPC_E_DISCONNECTED));
    EXPECT_FALSE(IsPassingCreationFailure(REGDB_E_CLASSNOTREG));
    EXPECT_FALSE(IsPassingCreationFailure(CO_E_SERVER_EXEC_FAILURE));
    EXPECT_FALSE(IsPassingCreationFailure(E_ACCESSDENIED));
    EXPECT_FALSE(IsPassingCreationFailure(S_OK));
}
