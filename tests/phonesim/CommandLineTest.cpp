// phonesim.exe as a person uses it from a terminal: the control verbs change the one world
// that every client sees, and the server lives while a phone is connected.
#include "PhoneSimTest.h"

#include "com/UniqueBstr.h"

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
        start = end + 1;
    }
    return lines;
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

}  // namespace

TEST(PhoneSimCommandLine, HelpNamesEveryVerbAndFault)
{
    const ProgramRun run = RunPhoneSim(L"--help");
    EXPECT_EQ(run.exitCode, 0);
    for (const char* word : {"connect",       "disconnect",   "status",
                             "rate",          "stall",        "repeat-progress",
                             "fail-next",     "short-file",   "disconnect-midway",
                             "vanish-midway", "early-event",  "fault clear",
                             "/RegServer",    "/UnregServer", "--no-card",
                             "--root",        "battery",      "signal",
                             "mtm-revision",  "readings",     "ports"}) {
        EXPECT_NE(run.output.find(word), std::string::npos) << word;
    }
}

TEST(PhoneSimCommandLine, UsageErrorsAreRefusedWithoutReachingTheSimulator)
{
    for (const wchar_t* arguments :
         {L"connect --name 12ab", L"connect --capacity-e 5X", L"jump", L"fault stall", L"fault fail-next 0x00000001",
          L"rate fast", L"status now", L"battery 101", L"signal 5K", L"mtm-revision 65536", L"battery 1 2",
          L"readings 3", L"ports open"}) {
        const ProgramRun run = RunPhoneSim(arguments);
        EXPECT_EQ(run.exitCode, 2) << Narrow(arguments);
        EXPECT_NE(run.output.find("phonesim:"), std::string::npos) << Narrow(arguments);
    }
}

class PhoneSimCommandLineWorld : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(com.succeeded());
        root = FreshFolder(L"command-line");
        ASSERT_EQ(RunPhoneSim(L"disconnect").exitCode, 0);
    }
    void TearDown() override
    {
        RunPhoneSim(L"disconnect");
        RunPhoneSim(L"fault clear");
        RemoveTestTree(root);
    }

    tolv::com::com_init com{COINIT_MULTITHREADED};
    std::wstring root;
};

TEST_F(PhoneSimCommandLineWorld, ConnectStatusAndDisconnectChangeWhatClientsSee)
{
    ASSERT_EQ(RunPhoneSim(L"connect --root \"" + root + L"\"").exitCode, 0);
    ASSERT_EQ(RunPhoneSim(L"connect --name 490154203237518 --model N95 --manufacturer Nokia --identifier COM7 "
                          L"--no-card --root \"" +
                          root + L"\"")
                  .exitCode,
              0);

    const std::vector<std::string> lines = Lines(RunPhoneSim(L"status").output);
    ASSERT_EQ(lines.size(), 2u);
    const std::string folder = Narrow(root);
    EXPECT_EQ(lines[0], "354812013456789 model=\"Tamlo\" manufacturer=\"Unknown\" identifier=\"COM4\" C:=\"" + folder +
                            "\\354812013456789\\C\" E:=\"" + folder + "\\354812013456789\\E\"");
    EXPECT_EQ(lines[1], "490154203237518 model=\"N95\" manufacturer=\"Nokia\" identifier=\"COM7\" C:=\"" + folder +
                            "\\490154203237518\\C\"");
    EXPECT_TRUE(FileExists(root + L"\\490154203237518\\C"));
    EXPECT_FALSE(FileExists(root + L"\\490154203237518\\E"));

    // A client created afterwards sees both phones with what the command line gave them.
    const auto application = CreateApplication();
    ASSERT_TRUE(application);
    const auto nokia = DeviceNamed(application.get(), L"490154203237518");
    ASSERT_TRUE(nokia);
    tolv::com::unique_bstr text;
    ASSERT_EQ(nokia->GetModel(text.put()), S_OK);
    EXPECT_EQ(Text(text.get()), L"N95");
    ASSERT_EQ(nokia->GetManufacturer(text.put()), S_OK);
    EXPECT_EQ(Text(text.get()), L"Nokia");
    ASSERT_EQ(nokia->GetIdentifier(text.put()), S_OK);
    EXPECT_EQ(Text(text.get()), L"COM7");

    ASSERT_EQ(RunPhoneSim(L"disconnect --name 490154203237518").exitCode, 0);
    EXPECT_EQ(Lines(RunPhoneSim(L"status").output).size(), 1u);
    EXPECT_FALSE(DeviceNamed(application.get(), L"490154203237518"));
    VARIANT_BOOL connected = VARIANT_TRUE;
    EXPECT_EQ(nokia->IsConnected(&connected), S_OK);
    EXPECT_EQ(connected, VARIANT_FALSE);
    tolv::com::com_ptr<ISCDriveCollection> drives;
    EXPECT_EQ(nokia->GetDrives(drives.put()), static_cast<HRESULT>(0x8007048F));

    ASSERT_EQ(RunPhoneSim(L"disconnect").exitCode, 0);
    EXPECT_TRUE(Lines(RunPhoneSim(L"status").output).empty());
}

TEST_F(PhoneSimCommandLineWorld, ReconnectingKeepsThePhonesFilesAndAnAlreadyConnectedPhoneIsSaidSo)
{
    ASSERT_EQ(RunPhoneSim(L"connect --root \"" + root + L"\"").exitCode, 0);
    WriteTextFile(root + L"\\354812013456789\\E\\kept.txt", "still here");
    const ProgramRun twice = RunPhoneSim(L"connect --root \"" + root + L"\"");
    EXPECT_EQ(twice.exitCode, 0);
    EXPECT_NE(twice.output.find("already connected"), std::string::npos);
    ASSERT_EQ(RunPhoneSim(L"disconnect").exitCode, 0);
    ASSERT_EQ(RunPhoneSim(L"connect --root \"" + root + L"\"").exitCode, 0);

    const auto application = CreateApplication();
    ASSERT_TRUE(application);
    const auto device = DeviceNamed(application.get(), kDefaultPhone);
    ASSERT_TRUE(device);
    const auto card = RootOf(device.get(), L"E:");
    ASSERT_TRUE(card);
    EXPECT_EQ(FileNames(card.get()), std::vector<std::wstring>{L"E:\\kept.txt"});
}

TEST_F(PhoneSimCommandLineWorld, RateAndFaultVerbsReachTheSimulator)
{
    ASSERT_EQ(RunPhoneSim(L"rate 64K").exitCode, 0);
    EXPECT_EQ(Lines(RunPhoneSim(L"rate").output), std::vector<std::string>{"65536 bytes per second"});
    ASSERT_EQ(RunPhoneSim(L"rate 0").exitCode, 0);
    EXPECT_EQ(Lines(RunPhoneSim(L"rate").output), std::vector<std::string>{"unlimited"});

    for (const wchar_t* arming :
         {L"fault stall 1500", L"fault repeat-progress 7", L"fault fail-next 0x80070005", L"fault short-file",
          L"fault disconnect-midway", L"fault vanish-midway", L"fault early-event"}) {
        ASSERT_EQ(RunPhoneSim(arming).exitCode, 0) << Narrow(arming);
    }
    EXPECT_EQ(Lines(RunPhoneSim(L"fault").output),
              (std::vector<std::string>{"stall 1500", "repeat-progress 7", "fail-next 0x80070005", "short-file",
                                        "disconnect-midway", "vanish-midway", "early-event 300"}));
    ASSERT_EQ(RunPhoneSim(L"fault clear").exitCode, 0);
    EXPECT_TRUE(Lines(RunPhoneSim(L"fault").output).empty());
}

TEST_F(PhoneSimCommandLineWorld, AConnectedPhoneKeepsTheServerAndTheLastDisconnectEndsIt)
{
    ASSERT_EQ(RunPhoneSim(L"connect --root \"" + root + L"\"").exitCode, 0);
    const std::vector<DWORD> servers = ProcessIdsOf(L"phonesim.exe");
    ASSERT_EQ(servers.size(), 1u);
    // Well beyond the server's grace period without any client.
    Sleep(4000);
    EXPECT_EQ(ProcessIdsOf(L"phonesim.exe"), servers);
    ASSERT_EQ(RunPhoneSim(L"disconnect").exitCode, 0);
    EXPECT_GE(WaitUntilGone(L"phonesim.exe", 30000), 0);
}
