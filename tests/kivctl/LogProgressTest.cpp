#include "tools/kivctl/LogProgress.h"

#include <vector>

#include <gtest/gtest.h>

#include "tools/kivctl/ProgressBar.h"

namespace {

// The steps a log shows for these reports, in order.
std::vector<long> Printed(std::initializer_list<long> reports)
{
    CLogProgressSteps steps;
    std::vector<long> printed;
    for (long report : reports) {
        if (const auto step = steps.Next(report)) {
            printed.push_back(*step);
        }
    }
    return printed;
}

}  // namespace

TEST(KivctlLogProgress, EveryTenPercentStepIsPrintedOnceInOrder)
{
    EXPECT_EQ(Printed({0, 3, 10, 12, 19, 20, 20, 31, 45, 50, 99, 100, 100}),
              (std::vector<long>{10, 20, 30, 40, 50, 90, 100}));
    // The end of a finished operation reports 100 once more: nothing new.
    EXPECT_EQ(Printed({100, 100}), (std::vector<long>{100}));
    EXPECT_TRUE(Printed({0, 1, 9}).empty());
}

TEST(KivctlLogProgress, AJumpPrintsOnlyTheStepReachedAndGoingBackPrintsNothing)
{
    EXPECT_EQ(Printed({5, 67, 100}), (std::vector<long>{60, 100}));
    EXPECT_EQ(Printed({40, 30, 35, 41, 52}), (std::vector<long>{40, 50}));
    // Reports out of range are held to 0..100.
    EXPECT_EQ(Printed({-5, 250, 100}), (std::vector<long>{100}));
}

TEST(KivctlLogProgress, LinesAlignThePercentageBehindTheLabel)
{
    EXPECT_EQ(RenderLogProgressLine(L"put big.bin", 10), L"put big.bin  10%");
    EXPECT_EQ(RenderLogProgressLine(L"put big.bin", 100), L"put big.bin 100%");
    EXPECT_EQ(RenderLogProgressLine(L"backup C:", 0), L"backup C:   0%");
}
