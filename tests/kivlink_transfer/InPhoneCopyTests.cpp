// The copy inside the phone and the phone file's content in a PC temporary file, against the
// phone simulator.
#include "TransferBench.h"

#include "KivlinkLib.h"

#include <filesystem>

namespace {

class InPhoneCopy : public TransferTest {
protected:
    void SetUp() override
    {
        TransferTest::SetUp();
        WritePcFile(phone + L"a.jpg", 2500, 'p');
        WritePcFile(phone + L"empty.jpg", 0);
        ASSERT_TRUE(CreateDirectoryW((phone + L"Copies").c_str(), nullptr));
        bench.ForgetPhone();
    }

    // The names in a PC folder (the phone's or the temporary one).
    static std::vector<std::wstring> Names(const std::wstring& folder)
    {
        std::vector<std::wstring> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.push_back(entry.path().filename().wstring());
        return names;
    }
};

}  // namespace

TEST_F(InPhoneCopy, MakesASecondFileUnderTheNewName)
{
    EXPECT_EQ(bench.CopyInPhone(L"E:\\Transfer\\a.jpg", L"E:\\Transfer\\Copies\\b.jpg"), S_OK);
    EXPECT_EQ(ReadPcFile(phone + L"Copies\\b.jpg"), std::string(2500, 'p'));
    EXPECT_EQ(ReadPcFile(phone + L"a.jpg"), std::string(2500, 'p'));
    // Nothing stays under the temporary name.
    EXPECT_EQ(Names(phone + L"Copies"), std::vector<std::wstring>{L"b.jpg"});
    EXPECT_TRUE(bench.Traced("S_STATE: Copy (synchronous call) finished"));
}

TEST_F(InPhoneCopy, RefusesWhatItCannotCopy)
{
    EXPECT_EQ(bench.CopyInPhone(L"E:\\Transfer\\Copies", L"E:\\Transfer\\Other"), KIV_E_SERVICENOTSUPPORTED);
    EXPECT_TRUE(bench.Traced("E_STATE: can not copy E:\\Transfer\\Copies. Copying folders is not supported."));
    EXPECT_EQ(bench.CopyInPhone(L"E:\\Transfer\\a.jpg", L"E:\\Transfer\\None\\b.jpg"), E_INVALIDARG);
    EXPECT_TRUE(bench.Traced("E_STATE: E:\\Transfer\\None\\ is not a directory"));
    EXPECT_EQ(bench.CopyInPhone(L"E:\\Transfer\\none.jpg", L"E:\\Transfer\\b.jpg"), KIV_E_FILENOTFOUND);
}

TEST_F(InPhoneCopy, RefusesAnExistingDestinationBeforeCopying)
{
    WritePcFile(phone + L"Copies\\b.jpg", 3, 'o');
    bench.ForgetPhone();
    EXPECT_EQ(bench.CopyInPhone(L"E:\\Transfer\\a.jpg", L"E:\\Transfer\\Copies\\B.JPG"), KIV_E_FILEEXISTSALREADY);
    EXPECT_TRUE(bench.Traced("E_STATE: destination E:\\Transfer\\Copies\\B.JPG must not exist, no overwrite"));
    EXPECT_EQ(ReadPcFile(phone + L"Copies\\b.jpg"), std::string(3, 'o'));
    EXPECT_EQ(Names(phone + L"Copies"), std::vector<std::wstring>{L"b.jpg"});
}

TEST_F(InPhoneCopy, AShortTemporaryCopyStopsIt)
{
    // The phone reports success for half the file: nothing may go back to the phone.
    ASSERT_EQ(bench.PhoneSim(L"fault short-file"), 0);
    EXPECT_EQ(bench.CopyInPhone(L"E:\\Transfer\\a.jpg", L"E:\\Transfer\\Copies\\b.jpg"), E_FAIL);
    EXPECT_TRUE(Names(phone + L"Copies").empty());
    bool traced = false;
    for (const std::string& line : bench.TraceLines())
        traced =
            traced || line.find("E_STATE: Attempt to copy E:\\Transfer\\a.jpg to temporary file ") != std::string::npos;
    EXPECT_TRUE(traced);
}

TEST_F(InPhoneCopy, TempFileHoldsThePhoneContent)
{
    std::wstring tempFile;
    ASSERT_EQ(bench.CopyToTempFile(L"E:\\Transfer\\a.jpg", tempFile), S_OK);
    EXPECT_EQ(tempFile.substr(0, temp->Path().size() + 3), temp->Path() + L"Kiv");
    EXPECT_EQ(tempFile.substr(tempFile.size() - 8), L".tmp.xxx");
    EXPECT_EQ(ReadPcFile(tempFile), std::string(2500, 'p'));
    EXPECT_TRUE(bench.Traced("CopyToPC (synchronous call) succeeded."));

    // An empty phone file needs no transfer.
    ASSERT_EQ(bench.PhoneSim(L"fault fail-next 0x80004005"), 0);
    ASSERT_EQ(bench.CopyToTempFile(L"E:\\Transfer\\empty.jpg", tempFile), S_OK);
    EXPECT_TRUE(PcFileExists(tempFile));
    EXPECT_EQ(ReadPcFile(tempFile), "");
    EXPECT_EQ(bench.CopyToTempFile(L"E:\\Transfer\\none.jpg", tempFile), KIV_E_FILENOTFOUND);
}
