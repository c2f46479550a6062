// CopyFromPC against the phone simulator: where the file lands and under which name, what
// happens to a file already there, and the post steps that check the size, clean up the
// named temporary copy and finish a move.
#include "TransferBench.h"

#include "Components/Kivlink/errors/KivResults.h"

#include "KivlinkLib.h"

#include <filesystem>

namespace {

std::string Text(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

// The PC file's creation time made the phone file's date, and its size the phone file's.
void MakeTwins(const std::wstring& pcFile, const std::wstring& phoneFile)
{
    HANDLE pc = CreateFileW(pcFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(pc, INVALID_HANDLE_VALUE);
    FILETIME created;
    ASSERT_TRUE(GetFileTime(pc, &created, nullptr, nullptr));
    CloseHandle(pc);
    // The phone's dates have whole seconds; so has the PC date the differs test takes.
    SYSTEMTIME utc;
    ASSERT_TRUE(FileTimeToSystemTime(&created, &utc));
    utc.wMilliseconds = 0;
    FILETIME whole;
    ASSERT_TRUE(SystemTimeToFileTime(&utc, &whole));
    HANDLE phone =
        CreateFileW(phoneFile.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(phone, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(SetFileTime(phone, nullptr, nullptr, &whole));
    CloseHandle(phone);
}

class CopyFromPC : public TransferTest {};

}  // namespace

TEST_F(CopyFromPC, IntoAFolderKeepsTheSourceName)
{
    WritePcFile(pc + L"a.mp3", 3000, 'a');
    EXPECT_EQ(bench.CopyFromPC(pc + L"a.mp3", L"E:\\Transfer", eBlocked), S_OK);
    EXPECT_EQ(ReadPcFile(phone + L"a.mp3"), std::string(3000, 'a'));
    EXPECT_TRUE(PcFileExists(pc + L"a.mp3"));
    EXPECT_TRUE(bench.Traced("CopyFromPC-Flags: eNoOverwrite=0, eLeaveIfDifferent=0, eBlocked=1, eMove=0"));
    EXPECT_TRUE(bench.Traced("destination is a directory"));
    EXPECT_TRUE(bench.Traced("(E:\\Transfer)->CopyFromPC(" + Text(pc) + "a.mp3)"));
    EXPECT_TRUE(bench.Traced("S_STATE: CopyFromPC (synchronous call) finished"));
    EXPECT_TRUE(bench.Traced("<<<IKivVolume2::CopyFromPC - hr=0x00000000"));
}

TEST_F(CopyFromPC, CreatesMissingFolders)
{
    WritePcFile(pc + L"a.mp3", 100, 'a');
    EXPECT_EQ(bench.CopyFromPC(pc + L"a.mp3", L"E:\\Transfer\\New\\Deeper\\", eBlocked), S_OK);
    EXPECT_EQ(ReadPcFile(phone + L"New\\Deeper\\a.mp3"), std::string(100, 'a'));
    // A destination with a file name: its folder is made, the name taken.
    EXPECT_EQ(bench.CopyFromPC(pc + L"a.mp3", L"E:\\Transfer\\Other\\b.mp3", eBlocked), S_OK);
    EXPECT_EQ(ReadPcFile(phone + L"Other\\b.mp3"), std::string(100, 'a'));
}

TEST_F(CopyFromPC, AnotherNameTravelsAsANamedTemporaryCopy)
{
    WritePcFile(pc + L"a.mp3", 700, 'a');
    EXPECT_EQ(bench.CopyFromPC(pc + L"a.mp3", L"E:\\Transfer\\Song.mp3", eBlocked), S_OK);
    EXPECT_EQ(ReadPcFile(phone + L"Song.mp3"), std::string(700, 'a'));
    EXPECT_TRUE(bench.Traced("(E:\\Transfer)->CopyFromPC(" + Text(temp->Path()) + "Song.mp3)"));
    EXPECT_FALSE(PcFileExists(temp->Path() + L"Song.mp3"));
    EXPECT_TRUE(PcFileExists(pc + L"a.mp3"));
}

TEST_F(CopyFromPC, LeaveIfDifferentStoresTheNewFileUnderANewName)
{
    WritePcFile(phone + L"a.mp3", 10, 'o');
    bench.ForgetPhone();
    WritePcFile(pc + L"a.mp3", 20, 'n');
    EXPECT_EQ(bench.CopyFromPC(pc + L"a.mp3", L"E:\\Transfer\\a.mp3", eBlocked | eLeaveIfDifferent), S_OK);
    EXPECT_EQ(ReadPcFile(phone + L"a.mp3"), std::string(10, 'o'));
    EXPECT_EQ(ReadPcFile(phone + L"a (0).mp3"), std::string(20, 'n'));
    EXPECT_TRUE(bench.Traced("file exists and eLeaveIfDifferent is set"));
    EXPECT_TRUE(bench.Traced("destination file E:\\Transfer\\a.mp3 will be renamed"));
    // Into the folder as well; the next free number.
    EXPECT_EQ(bench.CopyFromPC(pc + L"a.mp3", L"E:\\Transfer", eBlocked | eLeaveIfDifferent), S_OK);
    EXPECT_EQ(ReadPcFile(phone + L"a (1).mp3"), std::string(20, 'n'));
    EXPECT_FALSE(PcFileExists(temp->Path() + L"a (1).mp3"));
}

TEST_F(CopyFromPC, AnIdenticalFileIsReplacedOrRefused)
{
    // Same date and size count as the same file, whatever the bytes.
    WritePcFile(pc + L"a.mp3", 50, 'n');
    WritePcFile(phone + L"a.mp3", 50, 'o');
    MakeTwins(pc + L"a.mp3", phone + L"a.mp3");
    bench.ForgetPhone();
    EXPECT_EQ(bench.CopyFromPC(pc + L"a.mp3", L"E:\\Transfer\\a.mp3", eBlocked | eLeaveIfDifferent | eNoOverwrite),
              KIV_E_FILEEXISTSALREADY);
    EXPECT_EQ(ReadPcFile(phone + L"a.mp3"), std::string(50, 'o'));
    EXPECT_EQ(bench.CopyFromPC(pc + L"a.mp3", L"E:\\Transfer\\a.mp3", eBlocked | eLeaveIfDifferent), S_OK);
    EXPECT_EQ(ReadPcFile(phone + L"a.mp3"), std::string(50, 'n'));
    EXPECT_FALSE(PcFileExists(phone + L"a (0).mp3"));
}

TEST_F(CopyFromPC, NoOverwriteRefusesWhatIsThere)
{
    WritePcFile(pc + L"a.mp3", 5, 'n');
    WritePcFile(phone + L"a.mp3", 6, 'o');
    ASSERT_TRUE(CreateDirectoryW((phone + L"Folder").c_str(), nullptr));
    WritePcFile(pc + L"Folder", 5, 'n');
    bench.ForgetPhone();
    EXPECT_EQ(bench.CopyFromPC(pc + L"a.mp3", L"E:\\Transfer", eBlocked | eNoOverwrite), KIV_E_FILEEXISTSALREADY);
    EXPECT_TRUE(bench.Traced("file exists and eNoOverwrite is set"));
    EXPECT_EQ(ReadPcFile(phone + L"a.mp3"), std::string(6, 'o'));
    // A folder of the source's name is never replaced.
    EXPECT_EQ(bench.CopyFromPC(pc + L"Folder", L"E:\\Transfer", eBlocked), KIV_E_FILEEXISTSALREADY);
    // Without flags the file is replaced.
    EXPECT_EQ(bench.CopyFromPC(pc + L"a.mp3", L"E:\\Transfer", eBlocked), S_OK);
    EXPECT_EQ(ReadPcFile(phone + L"a.mp3"), std::string(5, 'n'));
}

TEST_F(CopyFromPC, TheSourceMustBeAnExistingFile)
{
    EXPECT_EQ(bench.CopyFromPC(pc + L"none.mp3", L"E:\\Transfer", eBlocked), E_INVALIDARG);
    EXPECT_TRUE(bench.Traced("E_STATE: source file " + Text(pc) + "none.mp3 doesn't exist."));
    EXPECT_EQ(bench.CopyFromPC(temp->Path(), L"E:\\Transfer", eBlocked), E_INVALIDARG);
    EXPECT_TRUE(bench.Traced("E_STATE: copy directories including content is not supported."));
    EXPECT_TRUE(bench.Traced("<<<IKivVolume2::CopyFromPC - hr=0x80070057"));
}

TEST_F(CopyFromPC, AShortFileIsDeletedAndTheMoveKeepsItsSource)
{
    WritePcFile(pc + L"a.mp3", 4000, 'a');
    ASSERT_EQ(bench.PhoneSim(L"fault short-file"), 0);
    EXPECT_EQ(bench.CopyFromPC(pc + L"a.mp3", L"E:\\Transfer", eBlocked | eMove), KIV_E_NOT_FULLY_COPIED);
    EXPECT_FALSE(PcFileExists(phone + L"a.mp3"));
    EXPECT_EQ(ReadPcFile(pc + L"a.mp3"), std::string(4000, 'a'));
    EXPECT_TRUE(bench.Traced("E_STATE: E:\\Transfer\\a.mp3 was not fully copied. deleted partly copied data"));
    EXPECT_TRUE(bench.Traced("CopyFromPC post steps - hr=0x80070070"));
}

TEST_F(CopyFromPC, AMoveRemovesTheSourceOnceTheSizeIsRight)
{
    WritePcFile(pc + L"a.mp3", 4000, 'a');
    EXPECT_EQ(bench.CopyFromPC(pc + L"a.mp3", L"E:\\Transfer\\b.mp3", eBlocked | eMove), S_OK);
    EXPECT_EQ(ReadPcFile(phone + L"b.mp3"), std::string(4000, 'a'));
    EXPECT_FALSE(PcFileExists(pc + L"a.mp3"));
    EXPECT_FALSE(PcFileExists(temp->Path() + L"b.mp3"));
}

TEST_F(CopyFromPC, AFailedTransferKeepsNothingBehind)
{
    WritePcFile(pc + L"a.mp3", 900, 'a');
    ASSERT_EQ(bench.PhoneSim(L"fault fail-next 0x80070005"), 0);
    EXPECT_EQ(bench.CopyFromPC(pc + L"a.mp3", L"E:\\Transfer\\c.mp3", eBlocked | eMove), E_ACCESSDENIED);
    // The phone reported its end: nothing to look for.
    EXPECT_FALSE(
        bench.Traced("S_STATE: Copy (synchronous call) failed - try to check if it is there anyway on mobile"));
    EXPECT_FALSE(PcFileExists(temp->Path() + L"c.mp3"));
    EXPECT_TRUE(PcFileExists(pc + L"a.mp3"));
    EXPECT_FALSE(PcFileExists(phone + L"c.mp3"));
}

TEST_F(CopyFromPC, AnUnblockedCopyIsFinishedByItsPostSteps)
{
    WritePcFile(pc + L"a.mp3", 2000, 'a');
    const size_t before = bench.PostStepsRun(0).size();
    EXPECT_EQ(bench.CopyFromPC(pc + L"a.mp3", L"E:\\Transfer\\c.mp3", eMove), S_OK);
    std::vector<CRequestData> done = bench.PostStepsRun(before + 1);
    ASSERT_EQ(done.size(), before + 1);
    const CRequestData& postStep = done.back();
    EXPECT_EQ(postStep.m_typ, REQ_COPY_FROM_PC_POST_STEP);
    EXPECT_EQ(postStep.m_RetVal, S_OK);
    EXPECT_EQ(std::wstring(postStep.m_firstStringArg.c_str()), pc + L"a.mp3");
    EXPECT_EQ(std::wstring(postStep.m_secondStringArg.c_str()), L"E:\\Transfer\\c.mp3");
    EXPECT_EQ(std::wstring(postStep.m_thirdStringArg.c_str()), temp->Path() + L"c.mp3");
    EXPECT_EQ(postStep.m_secondIntegerArg, 2000);
    EXPECT_EQ(postStep.m_firstIntegerArg, eMove);
    EXPECT_EQ(ReadPcFile(phone + L"c.mp3"), std::string(2000, 'a'));
    EXPECT_FALSE(PcFileExists(temp->Path() + L"c.mp3"));
    EXPECT_FALSE(PcFileExists(pc + L"a.mp3"));
}

TEST_F(CopyFromPC, ASilentPhoneIsAskedWhetherTheFileArrivedAnyway)
{
    // 30 s without an event end the wait; the copy then goes on and completes.
    WritePcFile(pc + L"a.mp3", 6000, 'a');
    ASSERT_EQ(bench.PhoneSim(L"fault stall 33000"), 0);
    EXPECT_EQ(bench.CopyFromPC(pc + L"a.mp3", L"E:\\Transfer", eBlocked), S_OK);
    EXPECT_TRUE(bench.Traced("S_STATE: Copy (synchronous call) failed - try to check if it is there anyway on mobile"));
    EXPECT_TRUE(bench.Traced("filesize stable"));
    EXPECT_EQ(ReadPcFile(phone + L"a.mp3"), std::string(6000, 'a'));
}
