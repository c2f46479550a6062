// kivctl.exe as a user runs it: a child process against Kivlink (started by COM) and the
// phone simulator, its output and exit code checked.
#include "KivctlProcess.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "com/ComInit.h"
#include "tests/kivlink_phone/PhoneSimulator.h"
#include "tests/support/ChildProcess.h"
#include "tools/kivctl/ErrorText.h"

#include "KivlinkLib.h"

namespace fs = std::filesystem;

namespace {

const wchar_t* const kKivlinkClassKey = L"CLSID\\{FC8895A7-2218-11D7-B948-FFFFFF000000}";

fs::path PcFolder()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return fs::path(temp) / (L"KivctlTest" + std::to_wstring(GetCurrentProcessId()));
}

// The PC folder behind the simulated phone's drive C:.
fs::path PhoneDriveC()
{
    return fs::path(PhoneSimRoot()) / kSimulatedPhone / L"C";
}

// A file whose bytes differ from place to place, so that a shifted copy shows.
void WritePattern(const fs::path& file, size_t bytes, unsigned seed)
{
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    unsigned value = seed;
    for (size_t i = 0; i < bytes; ++i) {
        value = value * 1103515245u + 12345u;
        out.put(static_cast<char>(value >> 16));
    }
}

std::string Content(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::wstring Quoted(const fs::path& path)
{
    return L"\"" + path.wstring() + L"\"";
}

bool Contains(const std::wstring& text, const std::wstring& part)
{
    return text.find(part) != std::wstring::npos;
}

class KivctlOnPhone : public testing::Test {
public:
    static void SetUpTestSuite()
    {
        // A simulator still ending after an earlier program would refuse the connect.
        ASSERT_TRUE(EndPhoneSim());
        ASSERT_EQ(ConnectPhone(), 0);
        std::error_code ignored;
        fs::remove_all(PcFolder(), ignored);
        fs::create_directories(PcFolder());
    }
    static void TearDownTestSuite()
    {
        RunPhoneSim(L"rate 0");
        std::error_code ignored;
        fs::remove_all(PcFolder(), ignored);
    }
};

}  // namespace

TEST_F(KivctlOnPhone, ListsTheDeviceItsDrivesAndDescriptions)
{
    KivctlRun run = RunKivctl(L"devices");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, std::wstring(kSimulatedPhone) + L"\n");

    run = RunKivctl(L"drives");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, L"C:\nE:\n");

    const std::wstring device =
        std::wstring(L"manufacturer=Vostrel\nmodel=Tamlo\ncharge=80\nsignal=60\nIMEI=") + kSimulatedPhone + L"\n";
    run = RunKivctl(std::wstring(L"info ") + kSimulatedPhone);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, device);
    // Without a path: the current phone.
    run = RunKivctl(L"info");
    EXPECT_EQ(run.out, device);

    run = RunKivctl(L"info C:");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, L"Label=Phone memory\nCapacity=134217728\nFreespace=100663296\n");
    run = RunKivctl(L"info C:\\");
    EXPECT_EQ(run.out, L"Type=Directory\nAttribute=DIRECTORY\nSize=0\nDate=0\n");
    EXPECT_TRUE(run.err.empty()) << run.err;
}

TEST_F(KivctlOnPhone, StatusDescribesThePhoneForPeopleAndScripts)
{
    KivctlRun run = RunKivctl(L"status");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind(std::wstring(L"manufacturer: Vostrel\nmodel: Tamlo\nIMEI: ") + kSimulatedPhone +
                                L"\nKivlink version: ",
                            0),
              0u)
        << run.out;
    EXPECT_TRUE(Contains(run.out, L"\ncharge: 80%\nsignal: 60\n")) << run.out;

    run = RunKivctl(L"status --json");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind(std::wstring(L"{\"manufacturer\":\"Vostrel\",\"model\":\"Tamlo\",\"imei\":\"") +
                                kSimulatedPhone + L"\",\"kivlinkVersion\":\"",
                            0),
              0u)
        << run.out;
    EXPECT_TRUE(Contains(run.out, L"\",\"charge\":80,\"signal\":60}\n")) << run.out;

    // A message browser that cannot read battery and signal: the phone is still described.
    ASSERT_EQ(RunPhoneSim(L"mtm-revision 99"), 0);
    run = RunKivctl(L"status");
    RunPhoneSim(L"mtm-revision 1");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, L"\ncharge: unknown\nsignal: unknown\n")) << run.out;
}

TEST_F(KivctlOnPhone, PortsAreSetResetSuspendedAndResumed)
{
    ASSERT_EQ(RunPhoneSim(L"ports reset"), 0);
    KivctlRun run = RunKivctl(L"port set COM4");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(RunKivctl(L"port suspend").exitCode, 0);
    EXPECT_EQ(RunKivctl(L"port resume").exitCode, 0);
    // Named: Kivlink remembers the last port only while it runs, and it may end between two
    // kivctl runs on a slow machine.
    EXPECT_EQ(RunKivctl(L"port reset COM4").exitCode, 0);

    run = RunKivctl(L"port set COM99");
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(run.err.rfind(L"kivctl: port: ", 0), 0u) << run.err;
    run = RunKivctl(L"port open COM4");
    EXPECT_EQ(run.exitCode, 1);
    RunPhoneSim(L"ports reset");
}

TEST_F(KivctlOnPhone, MakesFoldersCopiesBothWaysAndRemovesByWildcard)
{
    const fs::path song = PcFolder() / L"song.mp3";
    const fs::path notes = PcFolder() / L"notes.txt";
    WritePattern(song, 300000, 1);
    WritePattern(notes, 1000, 2);

    KivctlRun run = RunKivctl(L"mkdir C:\\Data\\Music");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(fs::is_directory(PhoneDriveC() / L"Data" / L"Music"));

    run = RunKivctl(L"put -q " + Quoted(song) + L" C:\\Data\\Music\\");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    // A destination file name of its own renames on the way.
    run = RunKivctl(L"put -q " + Quoted(notes) + L" C:\\Data\\Music\\readme.txt");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Content(PhoneDriveC() / L"Data" / L"Music" / L"readme.txt"), Content(notes));

    run = RunKivctl(L"ls C:\\Data -r");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, L"C:\\Data\\Music\nC:\\Data\\Music\\readme.txt\nC:\\Data\\Music\\song.mp3\n");

    const fs::path back = PcFolder() / L"back";
    run = RunKivctl(L"get -q C:\\Data\\Music\\song.mp3 " + Quoted(back) + L"\\");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Content(back / L"song.mp3"), Content(song));

    run = RunKivctl(L"rm C:\\Data\\Music\\*.txt");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    run = RunKivctl(L"ls C:\\Data\\Music");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, L"C:\\Data\\Music\\song.mp3\n") << run.err;
    run = RunKivctl(L"rm C:\\Data");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_FALSE(fs::exists(PhoneDriveC() / L"Data"));
}

// Standard error is a pipe here, as in a log: one line per 10% step instead of the bar.
TEST_F(KivctlOnPhone, WritesOneProgressLinePerStepToALogUnlessQuiet)
{
    const fs::path big = PcFolder() / L"big.bin";
    WritePattern(big, 1 << 20, 3);
    KivctlRun run = RunKivctl(L"put " + Quoted(big) + L" C:\\Progress\\");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_FALSE(Contains(run.err, L"\r")) << run.err;
    EXPECT_TRUE(run.err.ends_with(L"put big.bin 100%\n")) << run.err;
    // Every line a step of its own, rising.
    long previous = 0;
    for (size_t start = 0; start < run.err.size();) {
        const size_t end = run.err.find(L'\n', start);
        ASSERT_NE(end, std::wstring::npos) << run.err;
        const std::wstring line = run.err.substr(start, end - start);
        ASSERT_EQ(line.size(), 16u) << line;
        ASSERT_EQ(line.substr(0, 12), L"put big.bin ") << line;
        ASSERT_EQ(line.back(), L'%') << line;
        const long step = std::stol(line.substr(12, 3));
        EXPECT_EQ(step % 10, 0) << line;
        EXPECT_GT(step, previous) << run.err;
        previous = step;
        start = end + 1;
    }

    run = RunKivctl(L"--quiet get C:\\Progress\\big.bin " + Quoted(PcFolder() / L"big-back.bin"));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.err.empty()) << run.err;
    EXPECT_EQ(Content(PcFolder() / L"big-back.bin"), Content(big));
    EXPECT_EQ(RunKivctl(L"rm C:\\Progress").exitCode, 0);
}

TEST_F(KivctlOnPhone, AsyncWaitsForTheCompletionEvent)
{
    const fs::path file = PcFolder() / L"async.bin";
    WritePattern(file, 200000, 4);
    ASSERT_EQ(RunPhoneSim(L"rate 400K"), 0);
    KivctlRun run = RunKivctl(L"put --async " + Quoted(file) + L" C:\\Async\\");
    ASSERT_EQ(RunPhoneSim(L"rate 0"), 0);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    // Kivlink returned before the copy ended; kivctl only ends with the completion.
    EXPECT_EQ(Content(PhoneDriveC() / L"Async" / L"async.bin"), Content(file));
    EXPECT_TRUE(Contains(run.err, L"100%")) << run.err;

    run = RunKivctl(L"get --async -q C:\\Async\\nothing.bin " + Quoted(PcFolder()));
    EXPECT_EQ(run.exitCode, 5) << run.err;
    EXPECT_EQ(RunKivctl(L"rm C:\\Async").exitCode, 0);
}

TEST_F(KivctlOnPhone, CopyAndMoveTakeTheDirectionFromThePaths)
{
    const fs::path file = PcFolder() / L"memo.txt";
    WritePattern(file, 5000, 5);

    // An existing PC file to a phone drive: a put.
    KivctlRun run = RunKivctl(L"cp -q " + Quoted(file) + L" C:\\Memos\\memo.txt");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Content(PhoneDriveC() / L"Memos" / L"memo.txt"), Content(file));
    // Phone to phone.
    run = RunKivctl(L"cp C:\\Memos\\memo.txt C:\\Memos\\copy.txt");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Content(PhoneDriveC() / L"Memos" / L"copy.txt"), Content(file));
    // Phone to a PC path marked as one: a get with eMove.
    const fs::path moved = PcFolder() / L"moved.txt";
    run = RunKivctl(L"mv -q C:\\Memos\\copy.txt pc:" + Quoted(moved));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Content(moved), Content(file));
    EXPECT_FALSE(fs::exists(PhoneDriveC() / L"Memos" / L"copy.txt"));
    // A move inside the phone.
    run = RunKivctl(L"mv C:\\Memos\\memo.txt C:\\Memos\\renamed.txt");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(fs::exists(PhoneDriveC() / L"Memos" / L"renamed.txt"));
    EXPECT_FALSE(fs::exists(PhoneDriveC() / L"Memos" / L"memo.txt"));

    // The PC's folders are on a drive C: too: only the prefix tells.
    run = RunKivctl(L"cp " + Quoted(file) + L" pc:" + Quoted(PcFolder() / L"other.txt"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Contains(run.err, L"kivctl: cp: neither path is on the phone")) << run.err;
    EXPECT_EQ(RunKivctl(L"rm C:\\Memos").exitCode, 0);
}

TEST_F(KivctlOnPhone, FailuresGiveTheirExitCodesAndTheServersTexts)
{
    KivctlRun run = RunKivctl(L"ls Data");
    EXPECT_EQ(run.exitCode, 5);
    EXPECT_TRUE(Contains(run.err, L"kivctl: ls: ")) << run.err;
    EXPECT_TRUE(Contains(run.err, L" (0x80070057)\n")) << run.err;

    run = RunKivctl(L"ls C:\\NoSuchFolder");
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_EQ(run.err, L"kivctl: ls: Folder not found (0x8004E003)\n");

    const fs::path file = PcFolder() / L"twice.txt";
    WritePattern(file, 100, 6);
    EXPECT_EQ(RunKivctl(L"put -q " + Quoted(file) + L" C:\\Twice\\").exitCode, 0);
    run = RunKivctl(L"put -q --no-overwrite " + Quoted(file) + L" C:\\Twice\\");
    EXPECT_EQ(run.exitCode, 6);
    EXPECT_EQ(run.err, L"kivctl: put: File exists already (0x8004C0C9)\n");
    EXPECT_EQ(RunKivctl(L"rm C:\\Twice").exitCode, 0);

    run = RunKivctl(L"frobnicate");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, L"kivctl: unknown command frobnicate\nTry 'kivctl --help' for more information.\n");
    run = RunKivctl(L"--help");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(Contains(run.out, L"Exit codes:"));
}

TEST_F(KivctlOnPhone, ListsOneVolumeFoldersWithTheMemoryCardFirst)
{
    const fs::path notes = PcFolder() / L"notes.txt";
    const fs::path photo = PcFolder() / L"photo.jpg";
    WritePattern(notes, 1000, 9);
    WritePattern(photo, 70000, 10);
    ASSERT_EQ(RunKivctl(L"put -q " + Quoted(notes) + L" C:\\VolumeList\\").exitCode, 0);
    ASSERT_EQ(RunKivctl(L"mkdir C:\\VolumeList\\Sub").exitCode, 0);
    ASSERT_EQ(RunKivctl(L"put -q " + Quoted(photo) + L" E:\\VolumeCard\\").exitCode, 0);
    ASSERT_EQ(RunKivctl(L"put -q " + Quoted(notes) + L" E:\\VolumeCard\\").exitCode, 0);

    // Files first, then folders; sizes aligned to the widest.
    KivctlRun run = RunKivctl(L"ls --volume \\VolumeList\\");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const size_t lineEnd = run.out.find(L'\n');
    ASSERT_NE(lineEnd, std::wstring::npos) << run.out;
    const std::wstring fileLine = run.out.substr(0, lineEnd);
    EXPECT_EQ(fileLine.substr(0, 8), L"1000  0x") << fileLine;
    EXPECT_TRUE(fileLine.ends_with(L"  notes.txt")) << fileLine;
    EXPECT_EQ(run.out.substr(lineEnd + 1), L"   0  0x00000010  -                 Sub\n");

    // The memory card leads the root, in both spellings of it.
    const std::wstring card = L"0  0x60000010  -                 MultiMediaCard (E:)";
    for (const wchar_t* root : {L"C:\\", L"\\"}) {
        run = RunKivctl(std::wstring(L"ls --volume ") + root);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        const size_t first = run.out.find_first_not_of(L' ');
        ASSERT_NE(first, std::wstring::npos) << root;
        EXPECT_EQ(run.out.substr(first, card.size() + 1), card + L"\n") << run.out;
        EXPECT_TRUE(Contains(run.out, L"  VolumeList\n")) << run.out;
    }

    // The card as the volume's folder, with a wildcard.
    run = RunKivctl(L"ls --volume \"MultiMediaCard (E:)\\VolumeCard\\*.jpg\"");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.out.starts_with(L"70000  0x")) << run.out;
    EXPECT_TRUE(run.out.ends_with(L"  photo.jpg\n")) << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), L'\n'), 1) << run.out;

    // An empty folder lists nothing and succeeds.
    run = RunKivctl(L"ls --volume \\VolumeList\\Sub\\");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_TRUE(run.err.empty()) << run.err;

    run = RunKivctl(L"ls --volume -r \\");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, L"kivctl: ls: options --volume and -r do not go together\nTry 'kivctl --help' for more "
                       L"information.\n");
    EXPECT_EQ(RunKivctl(L"rm C:\\VolumeList").exitCode, 0);
    EXPECT_EQ(RunKivctl(L"rm E:\\VolumeCard").exitCode, 0);
}

// Enabled once Kivlink's GetFile is in.
TEST_F(KivctlOnPhone, CatWritesAPhoneFileToStandardOutputByteForByte)
{
    const fs::path blob = PcFolder() / L"blob.bin";
    // More than one chunk of the copy, with every byte value in it.
    WritePattern(blob, 150000, 11);
    ASSERT_EQ(RunKivctl(L"put -q " + Quoted(blob) + L" C:\\CatTest\\").exitCode, 0);
    KivctlRun run = RunKivctl(L"cat \\CatTest\\blob.bin");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.outBytes == Content(blob)) << run.outBytes.size() << " bytes";
    EXPECT_TRUE(run.err.empty()) << run.err;

    run = RunKivctl(L"cat C:\\CatTest\\missing.bin");
    EXPECT_EQ(run.exitCode, 4) << run.err;
    EXPECT_TRUE(run.outBytes.empty());
    run = RunKivctl(L"cat C:\\CatTest\\*.bin");
    EXPECT_EQ(run.exitCode, 5) << run.err;
    EXPECT_EQ(RunKivctl(L"rm C:\\CatTest").exitCode, 0);
}

// Enabled once Kivlink's change notification is in.
TEST_F(KivctlOnPhone, WatchDirPrintsTheFolderKivlinkReportsChangedUntilCtrlC)
{
    ASSERT_EQ(RunKivctl(L"mkdir C:\\WatchMe").exitCode, 0);
    CKivctlChild watch(L"watch-dir C:\\WatchMe");
    ASSERT_TRUE(watch.Started());
    const DWORD start = GetTickCount();
    while (!Contains(watch.ErrorSoFar(), L"Ctrl+C ends") && GetTickCount() - start < 30000) {
        Sleep(100);
    }
    ASSERT_TRUE(Contains(watch.ErrorSoFar(), L"kivctl: watching \\WatchMe\\ for changes; Ctrl+C ends"))
        << watch.ErrorSoFar();
    ASSERT_EQ(RunKivctl(L"mkdir C:\\WatchMe\\Inner").exitCode, 0);
    while (!Contains(watch.OutputSoFar(), L"\n") && GetTickCount() - start < 30000) {
        Sleep(100);
    }
    ASSERT_TRUE(watch.SendCtrlC());
    const KivctlRun run = watch.Finish(30000);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, L"\\WatchMe\\\n");
    EXPECT_EQ(RunKivctl(L"rm C:\\WatchMe").exitCode, 0);
}

TEST_F(KivctlOnPhone, CtrlCCancelsATransferAndLeavesNothingBehind)
{
    const fs::path big = PcFolder() / L"slow.bin";
    WritePattern(big, 2 << 20, 7);
    ASSERT_EQ(RunPhoneSim(L"rate 256K"), 0);
    CKivctlChild child(L"put " + Quoted(big) + L" C:\\Slow\\");
    ASSERT_TRUE(child.Started());
    // Cancel once the transfer shows progress.
    const DWORD start = GetTickCount();
    while (!Contains(child.ErrorSoFar(), L"put slow.bin") && GetTickCount() - start < 30000) {
        Sleep(100);
    }
    ASSERT_TRUE(Contains(child.ErrorSoFar(), L"put slow.bin"));
    ASSERT_TRUE(child.SendCtrlC());
    const KivctlRun run = child.Finish(60000);
    RunPhoneSim(L"rate 0");
    EXPECT_EQ(run.exitCode, 7) << run.err;
    EXPECT_TRUE(Contains(run.err, L"kivctl: put: cancelled (0x")) << run.err;
    EXPECT_FALSE(fs::exists(PhoneDriveC() / L"Slow" / L"slow.bin"));
    RunKivctl(L"rm C:\\Slow");
}

TEST_F(KivctlOnPhone, AClientArrivingWhileKivlinkEndsStillGetsIn)
{
    // Kivlink ends 5 s after its last client and revokes its classes a second later; a
    // client in between must not be turned away.
    for (DWORD pause : {5200u, 5500u, 5800u}) {
        ASSERT_EQ(RunKivctl(L"drives").exitCode, 0);
        Sleep(pause);
        const KivctlRun run = RunKivctl(L"drives");
        EXPECT_EQ(run.exitCode, 0) << pause << L" ms: " << run.err;
        EXPECT_EQ(run.out, L"C:\nE:\n");
    }
    // The one-volume class goes through the same retries.
    ASSERT_EQ(RunKivctl(L"drives").exitCode, 0);
    Sleep(5500);
    const KivctlRun run = RunKivctl(L"ls --volume \\");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, L"MultiMediaCard (E:)\n")) << run.out;
}

TEST_F(KivctlOnPhone, BacksUpFormatsAndRestoresADrive)
{
    const fs::path file = PcFolder() / L"keep.txt";
    WritePattern(file, 20000, 8);
    ASSERT_EQ(RunKivctl(L"put -q " + Quoted(file) + L" C:\\Keep\\").exitCode, 0);
    const fs::path backup = PcFolder() / L"c.bak";

    KivctlRun run = RunKivctl(L"backup C: " + Quoted(backup));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Contains(run.err, L"backup C: 100%\n")) << run.err;
    run = RunKivctl(L"format --async C:");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(RunKivctl(L"ls C:\\").out, L"");
    run = RunKivctl(L"restore -q C: " + Quoted(backup));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Content(PhoneDriveC() / L"Keep" / L"keep.txt"), Content(file));

    run = RunKivctl(L"format Q:");
    EXPECT_EQ(run.exitCode, 5) << run.err;
    EXPECT_EQ(RunKivctl(L"rm C:\\Keep").exitCode, 0);
}

// The texts kivctl builds without an error object come from Kivlink's own table.
TEST(KivctlErrorText, ReadsTheServersTableThroughItsRegistration)
{
    tolv::com::com_init com(COINIT_APARTMENTTHREADED);
    ASSERT_TRUE(com.succeeded());
    const std::wstring path = RegisteredKivlinkPath();
    ASSERT_GE(path.size(), 11u);
    EXPECT_EQ(_wcsicmp(path.substr(path.size() - 11).c_str(), L"Kivlink.exe"), 0) << path;
    EXPECT_EQ(DescribeKivlinkFailure(KIV_E_NOCONNECTION, nullptr), L"Phone not connected");
    EXPECT_EQ(DescribeKivlinkFailure(KIV_E_FILENOTFOUND, nullptr), L"File not found");
    EXPECT_FALSE(DescribeKivlinkFailure(E_ACCESSDENIED, nullptr).empty());
}

// Last: without a phone the server waits 20 s before it gives up; the rest needs Kivlink to
// have ended.
TEST(KivctlWithoutPhone, NoPhoneWatchAndNoKivlink)
{
    ASSERT_EQ(DisconnectPhones(), 0);
    KivctlRun run = RunKivctl(L"drives");
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.err, L"kivctl: drives: Phone not connected (0x8004B001)\n");
    ASSERT_GE(WaitUntilGone(L"Kivlink.exe", 30000), 0);

    // A fresh Kivlink sees the phone come and go.
    {
        CKivctlChild watch(L"watch");
        ASSERT_TRUE(watch.Started());
        const DWORD start = GetTickCount();
        while (!Contains(watch.ErrorSoFar(), L"Ctrl+C ends") && GetTickCount() - start < 30000) {
            Sleep(100);
        }
        ASSERT_TRUE(Contains(watch.ErrorSoFar(), L"Ctrl+C ends"));
        ASSERT_EQ(ConnectPhone(), 0);
        const std::wstring disconnected = std::wstring(L"disconnected ") + kSimulatedPhone + L"\n";
        while (GetTickCount() - start < 60000) {
            // Connected is reported only after the device was read: disconnect once it was.
            if (Contains(watch.OutputSoFar(), L"IMEI=")) {
                break;
            }
            Sleep(100);
        }
        ASSERT_EQ(DisconnectPhones(), 0);
        while (!Contains(watch.OutputSoFar(), disconnected) && GetTickCount() - start < 60000) {
            Sleep(100);
        }
        ASSERT_TRUE(watch.SendCtrlC());
        run = watch.Finish(30000);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, std::wstring(L"connected ") + kSimulatedPhone +
                               L" manufacturer=Vostrel model=Tamlo charge=80 signal=60 IMEI=" + kSimulatedPhone +
                               L"\n" + disconnected);
    }
    ASSERT_GE(WaitUntilGone(L"Kivlink.exe", 30000), 0);

    // Kivlink's class hidden from COM.
    {
        CClassRegistrationHider hidden(kKivlinkClassKey);
        ASSERT_TRUE(hidden.Hid());
        run = RunKivctl(L"devices");
    }
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(Contains(run.err, L"kivctl: devices: Kivlink is not available: ")) << run.err;
    EXPECT_TRUE(Contains(run.err, L"(0x80040154)\n")) << run.err;
    EXPECT_TRUE(EndPhoneSim());
}
