// Test entry point: Wine prints its own diagnostics to stderr, so ours go to stdout, and
// the exit code is what ctest reads.
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
