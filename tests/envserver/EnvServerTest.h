// Every envserver test talks to the registered envserver.exe from this process.
#pragma once

#include <gtest/gtest.h>

#include "EnvironmentServer.h"
#include "com/ComInit.h"
#include "com/ComPtr.h"

class EnvServerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(com.succeeded()); }

    static tolv::com::com_ptr<IEnvironmentServer> CreateServer()
    {
        tolv::com::com_ptr<IEnvironmentServer> server;
        const HRESULT hr = CoCreateInstance(CLSID_EnvironmentServer, nullptr, CLSCTX_LOCAL_SERVER,
                                            IID_IEnvironmentServer, server.put_void());
        EXPECT_EQ(hr, S_OK) << std::hex << hr;
        return server;
    }

    tolv::com::com_init com{COINIT_MULTITHREADED};
};
