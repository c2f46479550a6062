#pragma once
// What the plug-ins' job and page tests share of the simulated phone: a suite with the default
// phone connected from its first test to its last, after which the simulator and Kivlink are
// gone again, and slower transfers for the length of one test.
#include "tests/kivlink_phone/PhoneSimulator.h"
#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>

#include <string>

class ConnectedPhoneTest : public ::testing::Test {
public:
    static constexpr DWORD kPhoneEndMs = 30000;

    static void SetUpTestSuite() { ASSERT_EQ(ConnectPhone(), 0); }
    static void TearDownTestSuite()
    {
        EXPECT_TRUE(EndPhoneSim(kPhoneEndMs));
        WaitUntilGone(L"Kivlink.exe", kPhoneEndMs);
    }
};

// Slows the simulator's transfers down to `rate` ("1M": a mebibyte a second) while it lives.
class SlowPhone {
public:
    explicit SlowPhone(const wchar_t* rate) { EXPECT_EQ(RunPhoneSim(std::wstring(L"rate ") + rate), 0); }
    ~SlowPhone() { RunPhoneSim(L"rate 0"); }
    SlowPhone(const SlowPhone&) = delete;
    SlowPhone& operator=(const SlowPhone&) = delete;
};
