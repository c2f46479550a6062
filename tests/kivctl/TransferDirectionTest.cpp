#include "tools/kivctl/TransferDirection.h"

#include <gtest/gtest.h>

namespace {

// A PC with one file, a phone with drives C: and E:; counts what the rule asked.
struct World {
    int fileQuestions = 0;
    int driveQuestions = 0;

    TransferPlan Plan(const std::wstring& source, const std::wstring& destination)
    {
        return PlanTransfer(
            source, destination,
            [this](const std::wstring& path) {
                ++fileQuestions;
                return path == L"C:\\music\\a.mp3" || path == L"song.mp3";
            },
            [this](wchar_t letter) {
                ++driveQuestions;
                return letter == L'C' || letter == L'c' || letter == L'E' || letter == L'e';
            });
    }
};

}  // namespace

TEST(KivctlTransferDirection, TheSidesDecideTheOperation)
{
    World world;
    TransferPlan plan = world.Plan(L"C:\\music\\a.mp3", L"C:\\Data\\");
    EXPECT_EQ(plan.kind, TransferKind::FromPC);
    plan = world.Plan(L"C:\\Data\\b.mp3", L"out\\");
    EXPECT_EQ(plan.kind, TransferKind::ToPC);
    plan = world.Plan(L"C:\\Data\\b.mp3", L"e:\\Backup\\b.mp3");
    EXPECT_EQ(plan.kind, TransferKind::InDevice);
    // D: is no phone drive: the destination is on the PC.
    plan = world.Plan(L"C:\\Data\\b.mp3", L"D:\\b.mp3");
    EXPECT_EQ(plan.kind, TransferKind::ToPC);
    plan = world.Plan(L"song.mp3", L"D:\\b.mp3");
    EXPECT_EQ(plan.kind, TransferKind::PcOnly);
    plan = world.Plan(L"/tmp/song.mp3", L"E:\\");
    EXPECT_EQ(plan.kind, TransferKind::FromPC);
}

TEST(KivctlTransferDirection, PrefixesOverrideTheGuessAndAreTakenOff)
{
    World world;
    TransferPlan plan = world.Plan(L"phone:C:\\music\\a.mp3", L"PC:C:\\copy.mp3");
    EXPECT_EQ(plan.kind, TransferKind::ToPC);
    EXPECT_EQ(plan.source, L"C:\\music\\a.mp3");
    EXPECT_EQ(plan.destination, L"C:\\copy.mp3");
    EXPECT_EQ(world.fileQuestions, 0);
    EXPECT_EQ(world.driveQuestions, 0);

    plan = world.Plan(L"pc:notes.txt", L"Phone:Z:\\x");
    EXPECT_EQ(plan.kind, TransferKind::FromPC);
    EXPECT_EQ(plan.destination, L"Z:\\x");

    std::wstring path = L"phonebook.txt";
    EXPECT_EQ(TakeSidePrefix(path), PathSide::Unknown);
    EXPECT_EQ(path, L"phonebook.txt");
}

TEST(KivctlTransferDirection, OnlyPathsWithADriveLetterAreLookedUp)
{
    World world;
    world.Plan(L"relative\\a.mp3", L"out");
    EXPECT_EQ(world.fileQuestions, 0);
    EXPECT_EQ(world.driveQuestions, 0);
    world.Plan(L"C:\\x", L"C:\\y");
    EXPECT_EQ(world.fileQuestions, 1);
    EXPECT_EQ(world.driveQuestions, 1);

    EXPECT_TRUE(HasDriveLetter(L"e:"));
    EXPECT_FALSE(HasDriveLetter(L"1:\\"));
    EXPECT_FALSE(HasDriveLetter(L"\\\\server\\share"));
    EXPECT_FALSE(HasDriveLetter(L"C"));
}
