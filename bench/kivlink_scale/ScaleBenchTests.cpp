// What the benchmark's verdicts rest on: the count of a listing's entries, the folder of
// small files and its count after a removal, and the memory counters read from a process
// found by its name.
#include "ListingAnswer.h"
#include "ProgramMemory.h"
#include "ScaleFolder.h"
#include "SmallFile.h"

#include "bench/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

TEST(ListingAnswer, CountsEntriesAndKnowsTheLastOne)
{
    const std::wstring answer = L"E:\\Scale3\\f00000.txt,E:\\Scale3\\f00001.txt,E:\\Scale3\\f00002.txt,";
    EXPECT_EQ(CountListedEntries(answer), 3u);
    EXPECT_TRUE(EndsWithEntry(answer, L"f00002.txt"));
    EXPECT_FALSE(EndsWithEntry(answer, L"f00001.txt"));
    // A name that only ends like the wanted one is another file.
    EXPECT_FALSE(EndsWithEntry(answer, L"00002.txt"));
    EXPECT_EQ(CountListedEntries(L""), 0u);
    EXPECT_FALSE(EndsWithEntry(L"", L"f00000.txt"));
}

TEST(ScaleFolder, NamesSortInIndexOrder)
{
    EXPECT_EQ(ScaleFileName(0), L"f00000.txt");
    EXPECT_EQ(ScaleFileName(9999), L"f09999.txt");
    EXPECT_LT(ScaleFileName(999), ScaleFileName(1000));
}

TEST(ScaleFolder, HoldsTheSmallFilesItWasFilledWith)
{
    CScratchFolder scratch(L"PellaryScaleBenchTest");
    ASSERT_TRUE(scratch.Created());
    const std::wstring folder = scratch / L"card\\Scale5";
    ASSERT_EQ(FillScaleFolder(folder, 5), S_OK);
    EXPECT_EQ(CountFolderEntries(folder), 5u);
    EXPECT_TRUE(IsSmallFile(folder + L"\\" + ScaleFileName(4)));
    EXPECT_FALSE(IsSmallFile(folder + L"\\" + ScaleFileName(5)));
    EXPECT_FALSE(IsSmallFile(folder));
    ASSERT_TRUE(DeleteFileW((folder + L"\\" + ScaleFileName(0)).c_str()));
    EXPECT_EQ(CountFolderEntries(folder), 4u);
    EXPECT_EQ(CountFolderEntries(scratch / L"missing"), 0u);
}

TEST(ProgramMemory, ReadsTheOneProcessOfAProgram)
{
    wchar_t path[MAX_PATH];
    ASSERT_NE(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    const std::wstring program = std::wstring(path).substr(std::wstring(path).find_last_of(L"\\/") + 1);
    ProgramMemory memory;
    std::string problem;
    ASSERT_TRUE(ReadProgramMemory(program.c_str(), memory, problem)) << problem;
    EXPECT_EQ(memory.processId, GetCurrentProcessId());
    EXPECT_GT(memory.workingSet, 0u);
    EXPECT_GT(memory.privateBytes, 0u);

    EXPECT_FALSE(ReadProgramMemory(L"no_such_program.exe", memory, problem));
    EXPECT_NE(problem.find("0 processes"), std::string::npos);
}
