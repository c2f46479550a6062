// The simulator's parts that need no server: command line, phone paths, dates, backup files.
#include <gtest/gtest.h>

#include "platform/phonesim/BackupArchive.h"
#include "platform/phonesim/CommandLine.h"
#include "platform/phonesim/FaultSwitches.h"
#include "platform/phonesim/OleDate.h"
#include "platform/phonesim/PhonePath.h"
#include "platform/phonesim/SimResults.h"
#include "PhoneSimTest.h"

using namespace phonesim;

TEST(PhoneSimParts, CommandLineReadsEveryConnectOption)
{
    Command command;
    std::wstring error;
    ASSERT_TRUE(ParseCommandLine({L"connect", L"--name", L"123", L"--model", L"M", L"--manufacturer", L"X",
                                  L"--identifier", L"COM9", L"--no-card", L"--root", L"D:\\r", L"--capacity-e", L"8G",
                                  L"--free-c", L"1536K", L"--label-e", L"Card"},
                                 command, error))
        << std::string(error.begin(), error.end());
    EXPECT_EQ(command.verb, Verb::Connect);
    EXPECT_EQ(command.name, L"123");
    EXPECT_EQ(command.identifier, L"COM9");
    EXPECT_FALSE(command.withCard);
    EXPECT_EQ(command.root, L"D:\\r");
    EXPECT_EQ(command.memoryCard.capacity.value_or(0), 8ULL << 30);
    EXPECT_EQ(command.phoneMemory.free.value_or(0), 1536ULL * 1024);
    EXPECT_EQ(command.memoryCard.label.value_or(L""), L"Card");
    EXPECT_FALSE(command.phoneMemory.capacity.has_value());

    for (const wchar_t* word : {L"/RegServer", L"-regserver", L"RegServer"}) {
        ASSERT_TRUE(ParseCommandLine({word}, command, error));
        EXPECT_EQ(command.verb, Verb::Register);
    }
    ASSERT_TRUE(ParseCommandLine({L"-Embedding"}, command, error));
    EXPECT_EQ(command.verb, Verb::Serve);
    ASSERT_TRUE(ParseCommandLine({L"fault", L"fail-next", L"-2147024891"}, command, error));
    EXPECT_EQ(command.faultValue, static_cast<LONG>(0x80070005));
    ASSERT_TRUE(ParseCommandLine({L"fault", L"early-event"}, command, error));
    EXPECT_EQ(command.fault, L"early-event");
    EXPECT_FALSE(ParseCommandLine({L"connect", L"--root"}, command, error));
    EXPECT_FALSE(ParseCommandLine({L"fault", L"short-file", L"now"}, command, error));
}

TEST(PhoneSimParts, ByteCountsAndHResultsRefuseWhatTheyCannotHold)
{
    unsigned long long bytes = 0;
    EXPECT_TRUE(ParseByteCount(L"3T", bytes));
    EXPECT_EQ(bytes, 3ULL << 40);
    EXPECT_FALSE(ParseByteCount(L"99999999999999999999", bytes));
    EXPECT_FALSE(ParseByteCount(L"17179869184T", bytes));
    EXPECT_FALSE(ParseByteCount(L"-1", bytes));
    LONG code = 0;
    EXPECT_TRUE(ParseHResult(L"0x8007000E", code));
    EXPECT_EQ(code, static_cast<LONG>(E_OUTOFMEMORY));
    EXPECT_FALSE(ParseHResult(L"0x1234567890", code));
    EXPECT_FALSE(ParseHResult(L"12z", code));
}

TEST(PhoneSimParts, PhonePathsKeepToNamesThePhoneCanHave)
{
    PhonePath path;
    ASSERT_TRUE(ParsePhonePath(L"e:\\Images\\a.jpg", path));
    EXPECT_EQ(path.Text(), L"E:\\Images\\a.jpg");
    EXPECT_EQ(path.Parent().Text(), L"E:\\Images");
    EXPECT_EQ(path.Parent().Parent().Text(), L"E:\\");
    EXPECT_EQ(path.Parent().Parent().OwnName(), L"E:");
    ASSERT_TRUE(ParsePhonePath(L"C:", path));
    EXPECT_TRUE(path.IsRoot());
    for (const wchar_t* bad : {L"", L"E", L"\\Images", L"E:Images", L"E:\\a\\\\b", L"E:\\..\\x", L"E:\\a*", L"1:\\x"}) {
        EXPECT_FALSE(ParsePhonePath(bad, path)) << std::wstring(bad).size();
    }
    PhonePath folder;
    ASSERT_TRUE(ParsePhonePath(L"C:\\Data", folder));
    PhonePath target;
    ASSERT_TRUE(ResolveNewName(L"new.txt", folder, target));
    EXPECT_EQ(target.Text(), L"C:\\Data\\new.txt");
    ASSERT_TRUE(ResolveNewName(L"E:\\Other\\new.txt", folder, target));
    EXPECT_EQ(target.Text(), L"E:\\Other\\new.txt");
    EXPECT_FALSE(ResolveNewName(L"E:\\", folder, target));
    EXPECT_FALSE(ResolveNewName(L"trailing.", folder, target));
}

TEST(PhoneSimParts, DatesKeepWholeSecondsBothWays)
{
    SYSTEMTIME time{2024, 2, 0, 29, 13, 14, 15, 678};
    FILETIME file{};
    ASSERT_TRUE(SystemTimeToFileTime(&time, &file));
    const DATE date = FileTimeToOleDate(file);
    SYSTEMTIME back{};
    ASSERT_TRUE(VariantTimeToSystemTime(date, &back));
    EXPECT_EQ(back.wYear * 10000 + back.wMonth * 100 + back.wDay, 20240229);
    EXPECT_EQ(back.wHour * 3600 + back.wMinute * 60 + back.wSecond, 13 * 3600 + 14 * 60 + 15);
    FILETIME again{};
    ASSERT_TRUE(OleDateToFileTime(date, again));
    EXPECT_EQ(FileTimeToOleDate(again), date);
    // Before 30 December 1899 the whole days count down while the time runs forward.
    ASSERT_TRUE(OleDateToFileTime(-1.25, again));
    EXPECT_EQ(FileTimeToOleDate(again), -1.25);
    EXPECT_FALSE(OleDateToFileTime(-200000.0, again));
}

TEST(PhoneSimParts, ABackupFileCannotReachOutsideItsDrive)
{
    const std::wstring folder = FreshFolder(L"parts-backup");
    const std::wstring path = folder + L"\\escape.bak";
    CBackupWriter writer;
    ASSERT_EQ(writer.Create(path, L'E'), S_OK);
    BackupRecord record;
    record.relative = L"..\\..\\outside.txt";
    ASSERT_EQ(writer.Add(record), S_OK);
    ASSERT_EQ(writer.Finish(), S_OK);

    CBackupReader reader;
    ASSERT_EQ(reader.Open(path), S_OK);
    EXPECT_EQ(reader.Count(), 1u);
    BackupRecord read;
    EXPECT_EQ(reader.Next(read), kBadBackup);
    RemoveTestTree(folder);
}

TEST(PhoneSimParts, FaultsAreTakenByTheOperationTheyApplyTo)
{
    CFaultSwitches faults;
    ASSERT_EQ(faults.Arm(faultShortFile, 0), S_OK);
    ASSERT_EQ(faults.Arm(faultStall, 10), S_OK);
    ASSERT_EQ(faults.Arm(faultEarlyEvent, 0), S_OK);
    EXPECT_EQ(faults.Arm(faultRepeatProgress, 0), E_INVALIDARG);
    const FaultPlan format = faults.TakeFor(false);
    EXPECT_EQ(format.stallMs, 10u);
    EXPECT_FALSE(format.shortFile);
    const FaultPlan copy = faults.TakeFor(true);
    EXPECT_TRUE(copy.shortFile);
    EXPECT_EQ(copy.stallMs, 0u);
    EXPECT_EQ(faults.TakeEarlyEvent(), CFaultSwitches::kDefaultEarlyEventMs);
    EXPECT_EQ(faults.TakeEarlyEvent(), 0u);
    EXPECT_EQ(faults.Describe(), L"");
}
