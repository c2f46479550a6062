// The transfer list of an upload: which PC files are candidates, which of them fit, and the
// names they get on the phone.
#include "JobTestResources.h"
#include "MessageBoxRecorder.h"

#include "plugins/tunepane/Mp3BudgetSelection.h"
#include "plugins/tunepane/Mp3Collection.h"
#include "plugins/tunepane/Mp3TargetNames.h"
#include "plugins/tunepane/Mp3TransferListBuilder.h"
#include "tests/TestTree.h"
#include "tests/kivlink_volume2/VolumeFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>

using namespace tolv::tunepane;

namespace {

Mp3TransferRecord File(const wchar_t* name, long sizeKiB, const wchar_t* directory = L"C:\\Music")
{
    return {directory, name, {}, sizeKiB};
}

std::vector<std::wstring> Names(const Mp3TransferList& list)
{
    std::vector<std::wstring> names;
    for (const Mp3TransferRecord& record : list)
        names.push_back(record.name);
    return names;
}

std::vector<std::wstring> TargetNames(const Mp3TransferList& list)
{
    std::vector<std::wstring> names;
    for (const Mp3TransferRecord& record : list)
        names.push_back(record.targetName);
    return names;
}

std::wstring Lower(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
    return text;
}

// "path|size" of each entry, sorted: the file system lists a folder in an order of its own.
std::vector<std::wstring> SortedEntries(const Mp3TransferList& list)
{
    std::vector<std::wstring> entries;
    for (const Mp3TransferRecord& record : list)
        entries.push_back(Lower(record.SourcePath()) + L"|" + std::to_wstring(record.sizeKiB));
    std::sort(entries.begin(), entries.end());
    return entries;
}

constexpr UINT kWarningBox = MB_ICONWARNING | MB_SYSTEMMODAL;

}  // namespace

TEST(Mp3Selection, ANegativeBudgetTakesOnlyFilesUnderOneKiBAndSaysNotAllFit)
{
    const MessageBoxRecorder boxes;
    // Everything must stay free, and less than the capacity is free: the budget is below 0.
    const Mp3TransferList list =
        BuildTransferList({File(L"big.mp3", 5), File(L"tiny.mp3", 0), File(L"one.mp3", 1), File(L"small.mp3", 0)},
                          {500, 1000}, 100, 0, JobTexts());

    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"tiny.mp3", L"small.mp3"}));
    const std::vector<RecordedBox> shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, L"The device has low memory, not all mp3-files from the list are copied to the mobile.");
    EXPECT_EQ(shown[0].caption, L"Your Phone - MP3");
    EXPECT_EQ(shown[0].type & kWarningBox, kWarningBox);
}

TEST(Mp3Selection, InListOrderALaterSmallFileStillFitsAfterALargerOneWasDropped)
{
    const MessageBoxRecorder boxes;
    // 1000 free of 2000, 10 % to keep: 800 to fill.
    const Mp3TransferList list =
        BuildTransferList({File(L"a.mp3", 500), File(L"b.mp3", 400), File(L"c.mp3", 300), File(L"d.mp3", 1)},
                          {1000, 2000}, 10, 0, JobTexts());

    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"a.mp3", L"c.mp3"}));
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST(Mp3Selection, EverythingThatFitsIsTakenOnceWhicheverWayItIsDrawn)
{
    const MessageBoxRecorder boxes;
    const Mp3TransferList candidates = {File(L"a.mp3", 10), File(L"b.mp3", 20), File(L"c.mp3", 30), File(L"d.mp3", 40),
                                        File(L"e.mp3", 50)};
    for (int randomSelection : {0, 1, 2}) {
        Mp3TransferList list = BuildTransferList(candidates, {1000, 1000}, 0, randomSelection, JobTexts());
        std::vector<std::wstring> names = Names(list);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, Names(candidates)) << "random flag " << randomSelection;
    }
    // Only a flag of exactly 1 draws at random; any other value keeps the list order.
    EXPECT_EQ(Names(SelectWithinBudget(candidates, 1000, DrawFor(2))), Names(candidates));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(Mp3Selection, ARandomDrawPicksAmongTheRemainingCandidates)
{
    for (size_t remaining : {1u, 2u, 7u}) {
        for (int draw = 0; draw < 20; ++draw)
            EXPECT_LT(RandomCandidate(remaining), remaining);
    }
}

TEST(Mp3TargetNames, EqualNamesFromSeveralFoldersAreNumberedBeforeTheFirstDot)
{
    Mp3TransferList list = {File(L"Song.mp3", 1, L"C:\\A"), File(L"a.b.mp3", 1, L"C:\\A"),
                            File(L"Song.mp3", 1, L"C:\\B"), File(L"Other.mp3", 1, L"C:\\A"),
                            File(L"SONG.MP3", 1, L"C:\\C"), File(L"a.b.mp3", 1, L"C:\\B")};
    AssignTargetNames(list);
    EXPECT_EQ(TargetNames(list), (std::vector<std::wstring>{L"Song.mp3", L"a.b.mp3", L"Song(1).mp3", L"Other.mp3",
                                                            L"SONG(2).MP3", L"a(1).b.mp3"}));
}

TEST(Mp3TargetNames, TheBuiltListCarriesThePhoneNames)
{
    const MessageBoxRecorder boxes;
    const Mp3TransferList list = BuildTransferList(
        {File(L"Song.mp3", 1, L"C:\\A"), File(L"Song.mp3", 1, L"C:\\B"), File(L"Song.mp3", 1, L"C:\\C")}, {1000, 1000},
        10, 0, JobTexts());
    EXPECT_EQ(TargetNames(list), (std::vector<std::wstring>{L"Song.mp3", L"Song(1).mp3", L"Song(2).mp3"}));
}

class Mp3CollectionTest : public ::testing::Test {
protected:
    void SetUp() override { m_root = TestFolder(); }
    void TearDown() override { RemoveTestTree(m_root); }

    std::wstring Path(const wchar_t* relative) const { return m_root + L"\\" + relative; }
    void Write(const wchar_t* relative, size_t bytes) const { ASSERT_TRUE(WriteTestFile(Path(relative), bytes)); }

    std::wstring m_root;
};

TEST_F(Mp3CollectionTest, FolderRowsWalkDownButNotIntoHiddenOrDotFoldersAndEachFileCountsOnce)
{
    Write(L"Music\\one.mp3", 2048);
    Write(L"Music\\two.MP3", 100);
    Write(L"Music\\notes.txt", 10);
    Write(L"Music\\mp3", 10);
    Write(L"Music\\Live\\deep.Mp3", 5000);
    Write(L"Music\\Secret\\hidden.mp3", 10);
    Write(L"Music\\.cache\\dot.mp3", 10);
    // A hidden folder is never entered; it counts as a file when its name says MP3.
    Write(L"Music\\Old.mp3\\inside.mp3", 10);
    ASSERT_TRUE(SetFileAttributesW(Path(L"Music\\Secret").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW(Path(L"Music\\Old.mp3").c_str(), FILE_ATTRIBUTE_HIDDEN));
    Write(L"Single\\picked.mp3", 3072);
    Write(L"Other\\any.mp3", 1024);

    const std::wstring music = Path(L"Music");
    const Mp3TransferList list = CollectMp3Files({
        {music, L"*.mp3"},
        {Path(L"Single"), L"picked.mp3"},
        {Path(L"Single"), L"missing.mp3"},
        // The same folder and file again in other letter cases.
        {Lower(music), L"*.MP3"},
        {Path(L"SINGLE"), L"PICKED.mp3"},
        {Path(L"Other"), L"*.*"},
    });

    EXPECT_EQ(SortedEntries(list), (std::vector<std::wstring>{
                                       Lower(Path(L"Music\\Live\\deep.Mp3")) + L"|4",
                                       Lower(Path(L"Music\\Old.mp3")) + L"|0",
                                       Lower(Path(L"Music\\one.mp3")) + L"|2",
                                       Lower(Path(L"Music\\two.MP3")) + L"|0",
                                       Lower(Path(L"Other\\any.mp3")) + L"|1",
                                       Lower(Path(L"Single\\picked.mp3")) + L"|3",
                                   }));
    // The first row's spelling wins, and the folder rows come before the rows after them.
    ASSERT_EQ(list.size(), 6u);
    EXPECT_EQ(list[4].SourcePath(), Path(L"Single\\picked.mp3"));
    EXPECT_EQ(list[5].SourcePath(), Path(L"Other\\any.mp3"));
}

TEST_F(Mp3CollectionTest, AMissingFolderOrFileGivesNothing)
{
    EXPECT_TRUE(CollectMp3Files({{Path(L"Nowhere"), L"*.mp3"}, {Path(L"Nowhere"), L"a.mp3"}}).empty());
    EXPECT_TRUE(CollectMp3Files({}).empty());
}
