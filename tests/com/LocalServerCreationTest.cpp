#include "com/LocalServerCreation.h"

#include <gtest/gtest.h>

TEST(LocalServerCreation, OnlyTheFailuresOfAnEndingServerAreTriedAgain)
{
    EXPECT_TRUE(tolv::com::IsPassingCreationFailure(CO_E_SERVER_STOPPING));
    EXPECT_TRUE(tolv::com::IsPassingCreationFailure(E_NOINTERFACE));
    EXPECT_TRUE(tolv::com::IsPassingCreationFailure(E_FAIL));
    EXPECT_TRUE(tolv::com::IsPassingCreationFailure(RPC_E_DISCONNECTED));
    EXPECT_FALSE(tolv::com::IsPassingCreationFailure(REGDB_E_CLASSNOTREG));
    EXPECT_FALSE(tolv::com::IsPassingCreationFailure(CO_E_SERVER_EXEC_FAILURE));
    EXPECT_FALSE(tolv::com::IsPassingCreationFailure(E_ACCESSDENIED));
    EXPECT_FALSE(tolv::com::IsPassingCreationFailure(S_OK));
}
