// Long operations seen from a client: a request id at once, then progress, questions and one
// completion on the sinks of the application object that started them.
#include "PhoneSimTest.h"

#include <algorithm>

#include "EventRecorder.h"
#include "com/UniqueBstr.h"

using tolv::com::com_ptr;
using tolv::com::unique_bstr;

namespace {

constexpr DISPID kCopyProgress = 13;
// At an unlimited rate a copy of a few megabytes may go from 0 to 100 in one report.
constexpr LONG kPacedRate = 8 * 1024 * 1024;
constexpr DISPID kCopyError = 14;
constexpr DISPID kCopyExisting = 15;
constexpr DISPID kCopyComplete = 16;
constexpr HRESULT kCancelled = E_ABORT;

// The result the completion of `requestId` carries (its last argument).
LONG CompletionResult(const CEventRecorder& recorder, DISPID id, LONG requestId)
{
    for (const RecordedEvent& event : recorder.EventsOf(id)) {
        if (event.Number(0) == requestId) {
            return event.arguments.back().number;
        }
    }
    return 1;
}

std::vector<LONG> CopyProgressOf(const CEventRecorder& recorder, LONG requestId)
{
    std::vector<LONG> values;
    for (const RecordedEvent& event : recorder.EventsOf(kCopyProgress)) {
        if (event.Number(0) == requestId) {
            values.push_back(event.Number(3));
        }
    }
    return values;
}

}  // namespace

using PhoneSimTransfer = PhoneSimTest;

TEST_F(PhoneSimTransfer, CopyingAPcFileInReportsProgressAndOneCompletion)
{
    AdvisedRecorder sink(application.get());
    ASSERT_EQ(sink.AdviseResult(), S_OK);
    const std::wstring source = pcSide + L"\\song.mp3";
    WritePatternFile(source, 3 * 1024 * 1024 + 17);
    const auto root = Root(L'E');
    ASSERT_TRUE(root);
    ASSERT_EQ(control->SetTransferRate(kPacedRate), S_OK);

    LONG requestId = 0;
    ASSERT_EQ(root->CopyFromPC(unique_bstr(source.c_str()).get(), &requestId), S_OK);
    EXPECT_NE(requestId, 0);
    ASSERT_TRUE(sink->WaitFor(kCopyComplete, requestId));
    EXPECT_EQ(CompletionResult(*sink, kCopyComplete, requestId), S_OK);
    EXPECT_EQ(sink->EventsOf(kCopyComplete).size(), 1u);
    EXPECT_TRUE(sink->EventsOf(kCopyError).empty());

    const std::vector<LONG> progress = CopyProgressOf(*sink, requestId);
    ASSERT_GE(progress.size(), 3u);
    EXPECT_EQ(progress.front(), 0);
    EXPECT_EQ(progress.back(), 100);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    const RecordedEvent first = sink->EventsOf(kCopyProgress).front();
    EXPECT_EQ(first.Text(1), source);
    EXPECT_EQ(first.Text(2), L"E:\\song.mp3");

    const std::wstring copy = DriveFolder(L'E') + L"\\song.mp3";
    EXPECT_EQ(ReadTextFile(copy), ReadTextFile(source));
    // The phone file keeps the PC file's date.
    const auto file = ChildFile(root.get(), L"song.mp3");
    ASSERT_TRUE(file);
    DATE phoneDate = 0;
    ASSERT_EQ(file->GetDate(&phoneDate), S_OK);
    WIN32_FILE_ATTRIBUTE_DATA pc{};
    ASSERT_TRUE(GetFileAttributesExW(source.c_str(), GetFileExInfoStandard, &pc));
    SYSTEMTIME written{};
    FileTimeToSystemTime(&pc.ftLastWriteTime, &written);
    SYSTEMTIME phone{};
    ASSERT_TRUE(VariantTimeToSystemTime(phoneDate, &phone));
    EXPECT_EQ(phone.wYear * 10000 + phone.wMonth * 100 + phone.wDay,
              written.wYear * 10000 + written.wMonth * 100 + written.wDay);
    EXPECT_EQ(phone.wHour * 3600 + phone.wMinute * 60 + phone.wSecond,
              written.wHour * 3600 + written.wMinute * 60 + written.wSecond);
}

TEST_F(PhoneSimTransfer, AProgressAnswerOfTrueCancelsAndLeavesNoPartialFile)
{
    AdvisedRecorder sink(application.get());
    sink->CancelAtProgress(1);
    const std::wstring source = pcSide + L"\\big.bin";
    WritePatternFile(source, 4 * 1024 * 1024);
    const auto root = Root(L'C');
    ASSERT_TRUE(root);
    ASSERT_EQ(control->SetTransferRate(kPacedRate), S_OK);
    LONG requestId = 0;
    ASSERT_EQ(root->CopyFromPC(unique_bstr(source.c_str()).get(), &requestId), S_OK);
    ASSERT_TRUE(sink->WaitFor(kCopyComplete, requestId));
    EXPECT_EQ(CompletionResult(*sink, kCopyComplete, requestId), kCancelled);
    EXPECT_LT(CopyProgressOf(*sink, requestId).back(), 100);
    EXPECT_FALSE(FileExists(DriveFolder(L'C') + L"\\big.bin"));
}

TEST_F(PhoneSimTransfer, AnExistingFileIsOverwrittenOnlyWhenTheAnswerIsActionThree)
{
    AdvisedRecorder sink(application.get());
    const std::wstring source = pcSide + L"\\memo.txt";
    WriteTextFile(source, "the new text");
    const std::wstring target = DriveFolder(L'C') + L"\\memo.txt";
    WriteTextFile(target, "old");
    const auto root = Root(L'C');
    ASSERT_TRUE(root);

    // Without an answer the existing file stays.
    LONG first = 0;
    ASSERT_EQ(root->CopyFromPC(unique_bstr(source.c_str()).get(), &first), S_OK);
    ASSERT_TRUE(sink->WaitFor(kCopyComplete, first));
    EXPECT_EQ(CompletionResult(*sink, kCopyComplete, first), static_cast<LONG>(0x80070050));
    EXPECT_EQ(ReadTextFile(target), "old");

    sink->AnswerExistingFile(3);
    LONG second = 0;
    ASSERT_EQ(root->CopyFromPC(unique_bstr(source.c_str()).get(), &second), S_OK);
    ASSERT_TRUE(sink->WaitFor(kCopyComplete, second));
    EXPECT_EQ(CompletionResult(*sink, kCopyComplete, second), S_OK);
    EXPECT_EQ(ReadTextFile(target), "the new text");
    const auto questions = sink->EventsOf(kCopyExisting);
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[1].Number(0), second);
    EXPECT_EQ(questions[1].Text(1), L"C:\\memo.txt");
    EXPECT_EQ(questions[1].Number(3), 3);  // the existing size
    EXPECT_EQ(questions[1].Number(5), 12);  // the new size

    // "Keep both" writes the new file under a free name.
    sink->AnswerExistingFile(1);
    LONG third = 0;
    ASSERT_EQ(root->CopyFromPC(unique_bstr(source.c_str()).get(), &third), S_OK);
    ASSERT_TRUE(sink->WaitFor(kCopyComplete, third));
    EXPECT_EQ(CompletionResult(*sink, kCopyComplete, third), S_OK);
    EXPECT_EQ(ReadTextFile(DriveFolder(L'C') + L"\\memo (1).txt"), "the new text");
}

TEST_F(PhoneSimTransfer, CopyingAPhoneFileOutGivesThePcCopyThePhoneDate)
{
    AdvisedRecorder sink(application.get());
    WritePatternFile(DriveFolder(L'E') + L"\\clip.3gp", 70000);
    const auto root = Root(L'E');
    ASSERT_TRUE(root);
    const auto file = ChildFile(root.get(), L"clip.3gp");
    ASSERT_TRUE(file);
    LONG requestId = 0;
    // A folder as target keeps the file's name.
    ASSERT_EQ(file->CopyToPC(unique_bstr((pcSide + L"\\").c_str()).get(), &requestId), S_OK);
    ASSERT_TRUE(sink->WaitFor(kCopyComplete, requestId));
    EXPECT_EQ(CompletionResult(*sink, kCopyComplete, requestId), S_OK);
    const std::wstring copy = pcSide + L"\\clip.3gp";
    EXPECT_EQ(ReadTextFile(copy), ReadTextFile(DriveFolder(L'E') + L"\\clip.3gp"));
    WIN32_FILE_ATTRIBUTE_DATA original{};
    WIN32_FILE_ATTRIBUTE_DATA pc{};
    ASSERT_TRUE(GetFileAttributesExW((DriveFolder(L'E') + L"\\clip.3gp").c_str(), GetFileExInfoStandard, &original));
    ASSERT_TRUE(GetFileAttributesExW(copy.c_str(), GetFileExInfoStandard, &pc));
    EXPECT_EQ(CompareFileTime(&pc.ftCreationTime, &pc.ftLastWriteTime), 0);
    EXPECT_EQ(pc.ftLastWriteTime.dwHighDateTime, original.ftLastWriteTime.dwHighDateTime);

    LONG missing = 0;
    EXPECT_EQ(file->CopyToPC(unique_bstr((pcSide + L"\\no\\such\\folder.3gp").c_str()).get(), &missing),
              static_cast<HRESULT>(0x80070003));
}

TEST_F(PhoneSimTransfer, ABackupRestoresTheDriveWithItsAttributesAfterAFormat)
{
    AdvisedRecorder sink(application.get());
    const std::wstring card = DriveFolder(L'E');
    CreateDirectoryW((card + L"\\Images").c_str(), nullptr);
    CreateDirectoryW((card + L"\\Empty").c_str(), nullptr);
    WritePatternFile(card + L"\\Images\\a.jpg", 50000);
    WriteTextFile(card + L"\\top.txt", "top");
    const auto root = Root(L'E');
    ASSERT_TRUE(root);
    ASSERT_EQ(ChildFile(root.get(), L"top.txt")->SetAttributes(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_COMPRESSED),
              S_OK);
    const auto device = DeviceAt(application.get(), 1);
    ASSERT_TRUE(device);
    const std::wstring backup = pcSide + L"\\card.bak";

    LONG backupId = 0;
    ASSERT_EQ(device->BackupDrive(unique_bstr(L"E:").get(), unique_bstr(backup.c_str()).get(), 0, &backupId), S_OK);
    ASSERT_TRUE(sink->WaitFor(5, backupId));
    EXPECT_EQ(CompletionResult(*sink, 5, backupId), S_OK);
    EXPECT_FALSE(sink->EventsOf(3).empty());

    const auto drive = DriveNamed(device.get(), L"E:");
    ASSERT_TRUE(drive);
    LONG formatId = 0;
    ASSERT_EQ(drive->Format(&formatId), S_OK);
    ASSERT_TRUE(sink->WaitFor(12, formatId));
    EXPECT_EQ(CompletionResult(*sink, 12, formatId), S_OK);
    EXPECT_TRUE(FolderNames(root.get()).empty());
    EXPECT_TRUE(FileNames(root.get()).empty());

    WriteTextFile(card + L"\\top.txt", "written after the backup");
    sink->AnswerExistingFile(3);
    LONG restoreId = 0;
    ASSERT_EQ(device->RestoreDrive(unique_bstr(L"E:").get(), unique_bstr(backup.c_str()).get(), 0, &restoreId), S_OK);
    ASSERT_TRUE(sink->WaitFor(9, restoreId));
    EXPECT_EQ(CompletionResult(*sink, 9, restoreId), S_OK);
    EXPECT_EQ(sink->EventsOf(8).size(), 1u);
    EXPECT_EQ(ReadTextFile(card + L"\\top.txt"), "top");
    EXPECT_EQ(FileSizeOf(card + L"\\Images\\a.jpg"), 50000u);
    EXPECT_TRUE(FileExists(card + L"\\Empty"));
    LONG attributes = 0;
    ASSERT_EQ(ChildFile(root.get(), L"top.txt")->GetAttributes(&attributes), S_OK);
    EXPECT_EQ(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_COMPRESSED),
              FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_COMPRESSED);

    // A file that is no backup is refused by its completion.
    WriteTextFile(pcSide + L"\\not.bak", "just text, not a backup of a drive");
    LONG badId = 0;
    ASSERT_EQ(
        device->RestoreDrive(unique_bstr(L"C:").get(), unique_bstr((pcSide + L"\\not.bak").c_str()).get(), 0, &badId),
        S_OK);
    ASSERT_TRUE(sink->WaitFor(9, badId));
    EXPECT_EQ(CompletionResult(*sink, 9, badId), static_cast<LONG>(0x8007000D));
}

TEST_F(PhoneSimTransfer, ACopyThatDoesNotFitFailsWithDiskFull)
{
    AdvisedRecorder sink(application.get());
    ASSERT_EQ(control->ConfigureDrive(nullptr, unique_bstr(L"C:").get(), driveSettingFree, nullptr, 0, 0, 1000, 0),
              S_OK);
    const std::wstring source = pcSide + L"\\large.bin";
    WritePatternFile(source, 5000);
    const auto root = Root(L'C');
    ASSERT_TRUE(root);
    LONG requestId = 0;
    ASSERT_EQ(root->CopyFromPC(unique_bstr(source.c_str()).get(), &requestId), S_OK);
    ASSERT_TRUE(sink->WaitFor(kCopyComplete, requestId));
    EXPECT_EQ(CompletionResult(*sink, kCopyComplete, requestId), static_cast<LONG>(0x80070070));
    EXPECT_EQ(sink->EventsOf(kCopyError).size(), 1u);
    EXPECT_FALSE(FileExists(DriveFolder(L'C') + L"\\large.bin"));
}
