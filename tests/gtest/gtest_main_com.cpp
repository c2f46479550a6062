// Test entry point: Wine prints its own diagnostics to stderr, so ours go to stdout, and
// the exit code is what ctest reads.
#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv)
{
    // ctest reads us through a pipe, where the C runtime would buffer whole blocks: a test
    // that hangs until ctest's time-out kills it must still show which test it was.
    setvbuf(stdout, nullptr, _IONBF, 0);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
