// The selection's rules and the file dialog's answer, without the dialog.
#include <gtest/gtest.h>

#include <string>

#include "plugins/tunepane/Mp3FileDialog.h"
#include "plugins/tunepane/Mp3Selection.h"

using tolv::tunepane::CMp3Selection;
using tolv::tunepane::Mp3Row;

namespace {

std::vector<std::wstring> Directories(const CMp3Selection& selection)
{
    std::vector<std::wstring> directories;
    for (const Mp3Row& row : selection.Rows()) {
        directories.push_back(row.directory + L"|" + row.name);
    }
    return directories;
}

}  // namespace

TEST(Mp3SelectionTest, ARowNamedAgainInAnotherCaseIsRefusedEvenAsAReplacement)
{
    CMp3Selection selection;
    ASSERT_TRUE(selection.Append({L"C:\\Music", L"Song.mp3"}));
    ASSERT_TRUE(selection.Append({L"C:\\Music", L"*.mp3"}));
    EXPECT_FALSE(selection.Append({L"c:\\MUSIC", L"SONG.MP3"}));
    EXPECT_FALSE(selection.Append({L"C:\\Music", L"*.MP3"}));
    // The same name in another folder is another file.
    EXPECT_TRUE(selection.Append({L"C:\\Music\\Old", L"Song.mp3"}));

    EXPECT_FALSE(selection.Replace(2, {L"C:\\MUSIC", L"song.mp3"}));
    // A row may be replaced by itself in another spelling.
    EXPECT_TRUE(selection.Replace(0, {L"C:\\MUSIC", L"song.mp3"}));
    EXPECT_FALSE(selection.Replace(7, {L"D:\\", L"x.mp3"}));
    EXPECT_EQ(Directories(selection),
              (std::vector<std::wstring>{L"C:\\MUSIC|song.mp3", L"C:\\Music|*.mp3", L"C:\\Music\\Old|Song.mp3"}));
}

TEST(Mp3SelectionTest, RemovingSelectedRowsTakesEachOnceWhateverTheOrder)
{
    CMp3Selection selection;
    for (const wchar_t* name : {L"a.mp3", L"b.mp3", L"c.mp3", L"d.mp3"}) {
        ASSERT_TRUE(selection.Append({L"C:\\M", name}));
    }
    selection.Remove({3, 1, 3, 9});
    EXPECT_EQ(Directories(selection), (std::vector<std::wstring>{L"C:\\M|a.mp3", L"C:\\M|c.mp3"}));
}

TEST(Mp3FileDialogAnswerTest, SeveralFilesComeAsFolderAndNamesOneAsAPathAndOnlyMp3FilesMakeRows)
{
    const wchar_t several[] = L"C:\\Music\0a.mp3\0b.MP3\0notes.txt\0";
    EXPECT_EQ(tolv::tunepane::SelectedPaths(several),
              (std::vector<std::wstring>{L"C:\\Music\\a.mp3", L"C:\\Music\\b.MP3", L"C:\\Music\\notes.txt"}));
    const wchar_t inRoot[] = L"D:\\\0x.mp3\0y.mp3\0";
    EXPECT_EQ(tolv::tunepane::SelectedPaths(inRoot), (std::vector<std::wstring>{L"D:\\x.mp3", L"D:\\y.mp3"}));
    const wchar_t one[] = L"C:\\Music\\a.mp3\0";
    EXPECT_EQ(tolv::tunepane::SelectedPaths(one), (std::vector<std::wstring>{L"C:\\Music\\a.mp3"}));
    EXPECT_TRUE(tolv::tunepane::SelectedPaths(L"").empty());

    Mp3Row row;
    ASSERT_TRUE(tolv::tunepane::Mp3FileRow(L"C:\\Music\\Live.1999.Mp3", row));
    EXPECT_EQ(row.directory, L"C:\\Music");
    EXPECT_EQ(row.name, L"Live.1999.Mp3");
    EXPECT_FALSE(tolv::tunepane::Mp3FileRow(L"C:\\Music\\notes.txt", row));
    EXPECT_FALSE(tolv::tunepane::Mp3FileRow(L"C:\\Music.mp3\\cover", row));
    EXPECT_FALSE(tolv::tunepane::Mp3FileRow(L"C:\\Music\\mp3", row));
}
