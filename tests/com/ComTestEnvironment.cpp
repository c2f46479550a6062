// Every test program of this folder runs in the multithreaded apartment.
#include <gtest/gtest.h>

#include <objbase.h>

#include "com/DispatchImpl.h"

namespace {

class ComEnvironment : public testing::Environment {
public:
    void SetUp() override { ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED)); }
    void TearDown() override
    {
        tolv::com::ClearTypeInfoCache();
        CoUninitialize();
    }
};

testing::Environment* const g_comEnvironment = testing::AddGlobalTestEnvironment(new ComEnvironment);

}  // namespace
