// The temporary files of the copy routes: where they go, unique names with their
// placeholders, named copies of PC files, and the garbage collection's rhythm.
#include "TransferTestFiles.h"

#include "Components/Kivlink/transfer/TempGarbageCollector.h"
#include "Components/Kivlink/transfer/TemporaryFiles.h"

#include "trace/TolvTrace.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class TemporaryFiles : public testing::Test {
protected:
    TestFolder folder;
    CTolvTrace trace{"KivlinkTransferTest", 3, true};
};

}  // namespace

TEST_F(TemporaryFiles, LiveInTheWindowsTemporaryFolder)
{
    EXPECT_EQ(std::wstring(TempFolder().c_str()), folder.Path());
}

TEST_F(TemporaryFiles, UniqueNamesKeepTheirPlaceholderAndNeverRepeat)
{
    CKivString first;
    CKivString second;
    ASSERT_EQ(MakeUniqueTempFile(first), S_OK);
    ASSERT_EQ(MakeUniqueTempFile(second), S_OK);
    const std::wstring a = first.c_str();
    const std::wstring b = second.c_str();
    EXPECT_NE(a, b);
    for (const std::wstring& name : {a, b}) {
        ASSERT_GT(name.size(), folder.Path().size() + 8);
        EXPECT_EQ(name.substr(0, folder.Path().size() + 3), folder.Path() + L"Kiv") << name;
        EXPECT_EQ(name.substr(name.size() - 8), L".tmp.xxx") << name;
        // The placeholder reserves the number; the data file is the caller's to create.
        EXPECT_TRUE(PcFileExists(name.substr(0, name.size() - 4))) << name;
        EXPECT_FALSE(PcFileExists(name)) << name;
    }
}

TEST_F(TemporaryFiles, UniqueNamesFailWithoutAUsableFolder)
{
    SetEnvironmentVariableW(L"TMP", (folder.Path() + L"missing\\").c_str());
    CKivString name;
    EXPECT_EQ(MakeUniqueTempFile(name), E_FAIL);
}

TEST_F(TemporaryFiles, NamedCopyHoldsTheSourceUnderTheGivenName)
{
    const std::wstring source = folder / L"source.mp3";
    WritePcFile(source, 300, 's');
    CKivString copy;
    ASSERT_EQ(S_OK, MakeNamedTempCopy(source.c_str(), CKivString(L"a (0).mp3"), &trace, copy));
    EXPECT_EQ(std::wstring(copy.c_str()), folder / L"a (0).mp3");
    EXPECT_EQ(ReadPcFile(copy.c_str()), std::string(300, 's'));
    EXPECT_EQ(ReadPcFile(source), std::string(300, 's'));
}

TEST_F(TemporaryFiles, NamedCopyReplacesAStaleReadOnlyCopy)
{
    const std::wstring source = folder / L"source.mp3";
    WritePcFile(source, 10, 'n');
    const std::wstring stale = folder / L"b.mp3";
    WritePcFile(stale, 99, 'o');
    ASSERT_TRUE(SetFileAttributesW(stale.c_str(), FILE_ATTRIBUTE_READONLY));
    CKivString copy;
    ASSERT_EQ(S_OK, MakeNamedTempCopy(source.c_str(), CKivString(L"b.mp3"), &trace, copy));
    EXPECT_EQ(ReadPcFile(copy.c_str()), std::string(10, 'n'));
    EXPECT_TRUE(DeleteTempFile(copy.c_str()));
    EXPECT_FALSE(PcFileExists(stale));
}

TEST_F(TemporaryFiles, FailedNamedCopyLeavesNothingUnderThatName)
{
    // The phone transfer that follows must fail, not send what an earlier copy left.
    const std::wstring stale = folder / L"c.mp3";
    WritePcFile(stale, 5);
    CKivString copy;
    ASSERT_EQ(S_OK, MakeNamedTempCopy((folder / L"no such file.mp3").c_str(), CKivString(L"c.mp3"), &trace, copy));
    EXPECT_EQ(std::wstring(copy.c_str()), stale);
    EXPECT_FALSE(PcFileExists(stale));
}

TEST_F(TemporaryFiles, NamedCopyNeverWritesOutsideTheTemporaryFolder)
{
    const std::wstring source = folder / L"source.mp3";
    WritePcFile(source, 10, 'n');
    const std::wstring above = folder.Path() + L"..\\victim.txt";
    DeleteFileW(above.c_str());
    for (const wchar_t* name : {L"..", L".", L". .", L"..\\victim.txt", L"x/../../victim.txt", L"C:victim.txt",
                                L"sub\\victim.txt", L"", L"victim.txt:stream"}) {
        CKivString copy(L"untouched");
        EXPECT_EQ(E_INVALIDARG, MakeNamedTempCopy(source.c_str(), CKivString(name), &trace, copy))
            << CKivString(name).Narrow();
        EXPECT_EQ(CKivString(L"untouched"), copy);
    }
    EXPECT_FALSE(PcFileExists(above));
}

TEST_F(TemporaryFiles, GarbageCollectionCleansFirstThenEvery21stStep)
{
    CKivTempGarbageCollector collector;
    CKivString path(folder.Path().c_str());
    WritePcFile(folder / L"Kiv1A2B.tmp", 0);
    WritePcFile(folder / L"Kiv1A2B.tmp.xxx", 40);
    EXPECT_TRUE(collector.Step(path, &trace));
    EXPECT_FALSE(PcFileExists(folder / L"Kiv1A2B.tmp"));
    EXPECT_FALSE(PcFileExists(folder / L"Kiv1A2B.tmp.xxx"));

    WritePcFile(folder / L"Kiv3C4D.tmp", 0);
    for (int step = 1; step <= 20; ++step) {
        EXPECT_FALSE(collector.Step(path, &trace)) << "step " << step;
        EXPECT_TRUE(PcFileExists(folder / L"Kiv3C4D.tmp")) << "step " << step;
    }
    EXPECT_TRUE(collector.Step(path, &trace));
    EXPECT_FALSE(PcFileExists(folder / L"Kiv3C4D.tmp"));
    EXPECT_FALSE(collector.Step(path, &trace));
}

TEST_F(TemporaryFiles, GarbageCollectionTakesOnlyKivFiles)
{
    CKivTempGarbageCollector collector;
    WritePcFile(folder / L"keep.tmp", 1);
    WritePcFile(folder / L"a (0).mp3", 1);
    ASSERT_TRUE(CreateDirectoryW((folder / L"KivFolder").c_str(), nullptr));
    WritePcFile(folder / L"KivFolder\\Kiv9.tmp", 1);
    // A file in use cannot go; the others still do.
    WritePcFile(folder / L"Kiv0001.tmp.xxx", 1);
    WritePcFile(folder / L"Kiv0002.tmp.xxx", 1);
    HANDLE held = CreateFileW((folder / L"Kiv0001.tmp.xxx").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(collector.Step(CKivString(folder.Path().c_str()), &trace));
    CloseHandle(held);
    EXPECT_TRUE(PcFileExists(folder / L"keep.tmp"));
    EXPECT_TRUE(PcFileExists(folder / L"a (0).mp3"));
    EXPECT_TRUE(PcFileExists(folder / L"KivFolder\\Kiv9.tmp"));
    EXPECT_TRUE(PcFileExists(folder / L"Kiv0001.tmp.xxx"));
    EXPECT_FALSE(PcFileExists(folder / L"Kiv0002.tmp.xxx"));
}
