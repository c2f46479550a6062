#include "tools/kivctl/LocalServerPath.h"

#include <gtest/gtest.h>

TEST(KivctlLocalServerPath, QuotesAndArgumentsAreTakenOff)
{
    EXPECT_EQ(LocalServerExecutable(L"\"C:\\Program Files\\Pellary\\Kivlink.exe\" /automation"),
              L"C:\\Program Files\\Pellary\\Kivlink.exe");
    EXPECT_EQ(LocalServerExecutable(L"  \"Z:\\b\\Kivlink.exe\""), L"Z:\\b\\Kivlink.exe");
    EXPECT_EQ(LocalServerExecutable(L"Z:\\build\\bin\\Kivlink.exe"), L"Z:\\build\\bin\\Kivlink.exe");
    EXPECT_EQ(LocalServerExecutable(L"Z:\\build\\bin\\Kivlink.exe -Embedding"), L"Z:\\build\\bin\\Kivlink.exe");
    EXPECT_EQ(LocalServerExecutable(L"C:\\Program Files\\Kivlink.EXE /x"), L"C:\\Program Files\\Kivlink.EXE");
    EXPECT_EQ(LocalServerExecutable(L"C:\\My Tools\\kivlink /automation"), L"C:\\My Tools\\kivlink");
    // An unterminated quote takes the rest.
    EXPECT_EQ(LocalServerExecutable(L"\"C:\\a b\\K.exe"), L"C:\\a b\\K.exe");
    EXPECT_EQ(LocalServerExecutable(L""), L"");
}
