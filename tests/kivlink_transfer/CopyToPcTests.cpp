// CopyToPC against the phone simulator: the PC folder and name, missing folders, a file
// already on the PC, empty phone files, and the post steps that check the size and finish a
// move.
#include "TransferBench.h"

#include "Components/Kivlink/transfer/PcFolderCreation.h"
#include "Components/Kivlink/errors/KivResults.h"

#include "KivlinkLib.h"

namespace {

std::string Text(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

class CopyToPC : public TransferTest {
protected:
    // A phone file E:\Transfer\<name> of that many bytes.
    void PhoneFile(const std::wstring& name, size_t bytes, char fill = 'p')
    {
        WritePcFile(phone + name, bytes, fill);
        bench.ForgetPhone();
    }
};

}  // namespace

TEST_F(CopyToPC, IntoAFolderKeepsThePhoneName)
{
    PhoneFile(L"a.jpg", 5000);
    EXPECT_EQ(bench.CopyToPC(L"E:\\Transfer\\a.jpg", pc, eBlocked), S_OK);
    EXPECT_EQ(ReadPcFile(pc + L"a.jpg"), std::string(5000, 'p'));
    EXPECT_TRUE(PcFileExists(phone + L"a.jpg"));
    EXPECT_TRUE(bench.Traced("CopyToPC-Flags: eNoOverwrite=0, eLeaveIfDifferent=0, eBlocked=1, eMove=0"));
    EXPECT_TRUE(bench.Traced("destination is a directory"));
    EXPECT_TRUE(bench.Traced("(E:\\Transfer\\a.jpg)->CopyToPC(" + Text(pc) + "a.jpg)"));
    EXPECT_TRUE(
        bench.Traced("S_STATE: CopyToPC E:\\Transfer\\a.jpg -> " + Text(pc) + "a.jpg(synchronous call) finished."));
    EXPECT_TRUE(bench.Traced("<<<IKivVolume2::CopyToPC - hr=0x00000000"));
}

TEST_F(CopyToPC, CreatesEveryMissingFolder)
{
    PhoneFile(L"a.jpg", 10);
    EXPECT_EQ(bench.CopyToPC(L"E:\\Transfer\\a.jpg", pc + L"x\\y\\", eBlocked), S_OK);
    EXPECT_EQ(ReadPcFile(pc + L"x\\y\\a.jpg"), std::string(10, 'p'));
    EXPECT_TRUE(bench.Traced("Created directory " + Text(pc) + "x\\y\\"));
    EXPECT_EQ(bench.CopyToPC(L"E:\\Transfer\\a.jpg", pc + L"z\\b.jpg", eBlocked), S_OK);
    EXPECT_EQ(ReadPcFile(pc + L"z\\b.jpg"), std::string(10, 'p'));
}

TEST_F(CopyToPC, AFileWhereAFolderMustBeStopsIt)
{
    PhoneFile(L"a.jpg", 10);
    WritePcFile(pc + L"f", 1);
    EXPECT_EQ(bench.CopyToPC(L"E:\\Transfer\\a.jpg", pc + L"f\\sub\\", eBlocked), KIV_E_PC_PARENT_IS_FILE);
    EXPECT_TRUE(bench.Traced("::CreateDirectory(" + Text(pc) + "f\\sub\\) failed. Parent is a file"));
}

TEST_F(CopyToPC, LeaveIfDifferentKeepsTheExistingPcFile)
{
    PhoneFile(L"a.jpg", 30, 'n');
    WritePcFile(pc + L"a.jpg", 3, 'o');
    WritePcFile(pc + L"A (0).JPG", 3, 'o');
    EXPECT_EQ(bench.CopyToPC(L"E:\\Transfer\\a.jpg", pc, eBlocked | eLeaveIfDifferent), S_OK);
    EXPECT_EQ(ReadPcFile(pc + L"a.jpg"), std::string(3, 'o'));
    EXPECT_EQ(ReadPcFile(pc + L"A (0).JPG"), std::string(3, 'o'));
    EXPECT_EQ(ReadPcFile(pc + L"a (1).jpg"), std::string(30, 'n'));
    EXPECT_EQ(bench.CopyToPC(L"E:\\Transfer\\a.jpg", pc + L"a.jpg", eBlocked | eNoOverwrite), KIV_E_FILEEXISTSALREADY);
    EXPECT_TRUE(bench.Traced("file exists and eNoOverwrite is set"));
    EXPECT_EQ(bench.CopyToPC(L"E:\\Transfer\\a.jpg", pc + L"a.jpg", eBlocked), S_OK);
    EXPECT_EQ(ReadPcFile(pc + L"a.jpg"), std::string(30, 'n'));
}

TEST_F(CopyToPC, AnEmptyPhoneFileIsMadeWithoutATransfer)
{
    PhoneFile(L"empty.jpg", 0);
    WritePcFile(pc + L"empty.jpg", 7, 'o');
    // Any transfer would fail now.
    ASSERT_EQ(bench.PhoneSim(L"fault fail-next 0x80004005"), 0);
    EXPECT_EQ(bench.CopyToPC(L"E:\\Transfer\\empty.jpg", pc, eBlocked), S_OK);
    EXPECT_TRUE(PcFileExists(pc + L"empty.jpg"));
    EXPECT_EQ(ReadPcFile(pc + L"empty.jpg"), "");
    // Moved, also when nobody waits for it.
    EXPECT_EQ(bench.CopyToPC(L"E:\\Transfer\\empty.jpg", pc + L"moved.jpg", eMove), S_OK);
    EXPECT_TRUE(PcFileExists(pc + L"moved.jpg"));
    EXPECT_FALSE(PcFileExists(phone + L"empty.jpg"));
}

TEST_F(CopyToPC, AWildcardNamesNoSource)
{
    PhoneFile(L"a.jpg", 10);
    EXPECT_EQ(bench.CopyToPC(L"E:\\Transfer\\*.jpg", pc, eBlocked), E_INVALIDARG);
    EXPECT_TRUE(bench.Traced("E_STATE: source file E:\\Transfer\\*.jpg doesn't exist."));
    EXPECT_FALSE(PcFileExists(pc + L"a.jpg"));
}

TEST_F(CopyToPC, AMoveRemovesThePhoneFileUnlessItIsReadOnly)
{
    PhoneFile(L"a.jpg", 100);
    EXPECT_EQ(bench.CopyToPC(L"E:\\Transfer\\a.jpg", pc, eBlocked | eMove), S_OK);
    EXPECT_EQ(ReadPcFile(pc + L"a.jpg"), std::string(100, 'p'));
    EXPECT_FALSE(PcFileExists(phone + L"a.jpg"));

    PhoneFile(L"b.jpg", 100);
    ASSERT_TRUE(SetFileAttributesW((phone + L"b.jpg").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(bench.CopyToPC(L"E:\\Transfer\\b.jpg", pc, eBlocked | eMove), KIV_E_READ_ONLY_FILE);
    EXPECT_TRUE(PcFileExists(pc + L"b.jpg"));
    EXPECT_TRUE(PcFileExists(phone + L"b.jpg"));
    SetFileAttributesW((phone + L"b.jpg").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(CopyToPC, AShortCopyIsNoSuccessAndTheMoveKeepsItsSource)
{
    PhoneFile(L"a.jpg", 4000);
    ASSERT_EQ(bench.PhoneSim(L"fault short-file"), 0);
    EXPECT_EQ(bench.CopyToPC(L"E:\\Transfer\\a.jpg", pc, eBlocked | eMove), E_FAIL);
    EXPECT_TRUE(PcFileExists(phone + L"a.jpg"));
    EXPECT_EQ(ReadPcFile(pc + L"a.jpg"), std::string(2000, 'p'));
    EXPECT_TRUE(bench.Traced("CopyToPC post steps - hr=0x80004005"));
}

TEST_F(CopyToPC, AnUnblockedMoveIsFinishedByItsPostSteps)
{
    PhoneFile(L"a.jpg", 3000);
    const size_t before = bench.PostStepsRun(0).size();
    EXPECT_EQ(bench.CopyToPC(L"E:\\Transfer\\a.jpg", pc + L"b.jpg", eMove), S_OK);
    std::vector<CRequestData> done = bench.PostStepsRun(before + 1);
    ASSERT_EQ(done.size(), before + 1);
    const CRequestData& postStep = done.back();
    EXPECT_EQ(postStep.m_typ, REQ_COPY_TO_PC_POST_STEP);
    EXPECT_EQ(postStep.m_RetVal, S_OK);
    EXPECT_EQ(std::wstring(postStep.m_firstStringArg.c_str()), L"E:\\Transfer\\a.jpg");
    EXPECT_EQ(std::wstring(postStep.m_secondStringArg.c_str()), pc + L"b.jpg");
    EXPECT_EQ(ReadPcFile(pc + L"b.jpg"), std::string(3000, 'p'));
    EXPECT_FALSE(PcFileExists(phone + L"a.jpg"));
}

TEST_F(CopyToPC, ASilentPhoneIsCheckedOnThePc)
{
    // 30 s without an event end the wait; the PC file then grows to its size.
    PhoneFile(L"a.jpg", 6000);
    ASSERT_EQ(bench.PhoneSim(L"fault stall 31000"), 0);
    EXPECT_EQ(bench.CopyToPC(L"E:\\Transfer\\a.jpg", pc, eBlocked), S_OK);
    EXPECT_TRUE(bench.Traced("S_STATE: Copy (synchronous call) failed - try to check if it is there anyway on pc"));
    EXPECT_TRUE(bench.Traced("filesize stable"));
    EXPECT_EQ(ReadPcFile(pc + L"a.jpg"), std::string(6000, 'p'));
}
