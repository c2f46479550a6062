#include "tools/kivctl/CommandLine.h"

#include <gtest/gtest.h>

#include "KivlinkLib.h"

namespace {

struct Parsed {
    bool ok;
    KivctlCommandLine line;
    std::wstring error;
};

Parsed Parse(std::vector<std::wstring> arguments)
{
    Parsed parsed{};
    parsed.ok = ParseCommandLine(arguments, parsed.line, parsed.error);
    return parsed;
}

}  // namespace

TEST(KivctlCommandLine, EveryCommandTakesItsOperands)
{
    struct Case {
        std::vector<std::wstring> arguments;
        KivctlCommand command;
    };
    const Case cases[] = {
        {{L"devices"}, KivctlCommand::Devices},
        {{L"drives"}, KivctlCommand::Drives},
        {{L"ls", L"C:\\"}, KivctlCommand::List},
        {{L"info"}, KivctlCommand::Info},
        {{L"info", L"C:"}, KivctlCommand::Info},
        {{L"put", L"a.mp3", L"C:\\Data\\"}, KivctlCommand::Put},
        {{L"get", L"C:\\a.mp3", L"out"}, KivctlCommand::Get},
        {{L"cp", L"a", L"b"}, KivctlCommand::Copy},
        {{L"mv", L"a", L"b"}, KivctlCommand::Move},
        {{L"rm", L"C:\\Images\\*.jpg"}, KivctlCommand::Remove},
        {{L"mkdir", L"C:\\Data\\Music"}, KivctlCommand::MakeFolder},
        {{L"format", L"E:"}, KivctlCommand::Format},
        {{L"backup", L"C:", L"c.bak"}, KivctlCommand::Backup},
        {{L"restore", L"C:", L"c.bak"}, KivctlCommand::Restore},
        {{L"watch"}, KivctlCommand::Watch},
        {{L"help"}, KivctlCommand::Help},
        {{L"cat", L"\\Images\\a.jpg"}, KivctlCommand::Cat},
        {{L"watch-dir", L"\\Images\\"}, KivctlCommand::WatchFolder},
    };
    for (const Case& c : cases) {
        const Parsed parsed = Parse(c.arguments);
        EXPECT_TRUE(parsed.ok) << c.arguments[0] << ": " << std::string(parsed.error.begin(), parsed.error.end());
        EXPECT_EQ(parsed.line.command, c.command) << c.arguments[0];
        EXPECT_EQ(parsed.line.operands.size(), c.arguments.size() - 1) << c.arguments[0];
    }
}

TEST(KivctlCommandLine, WrongOperandCountsAndUnknownWordsAreUsageErrors)
{
    EXPECT_FALSE(Parse({}).ok);
    EXPECT_FALSE(Parse({L"ls"}).ok);
    EXPECT_FALSE(Parse({L"ls", L"C:\\", L"E:\\"}).ok);
    EXPECT_FALSE(Parse({L"put", L"a.mp3"}).ok);
    EXPECT_FALSE(Parse({L"devices", L"extra"}).ok);
    EXPECT_FALSE(Parse({L"info", L"C:", L"E:"}).ok);
    EXPECT_FALSE(Parse({L"backup", L"C:"}).ok);
    EXPECT_FALSE(Parse({L"rm", L""}).ok);

    const Parsed unknownCommand = Parse({L"frobnicate"});
    EXPECT_FALSE(unknownCommand.ok);
    EXPECT_EQ(unknownCommand.error, L"unknown command frobnicate");
    const Parsed unknownOption = Parse({L"ls", L"--fast", L"C:\\"});
    EXPECT_FALSE(unknownOption.ok);
    EXPECT_EQ(unknownOption.error, L"unknown option --fast");
    const Parsed missing = Parse({L"get", L"C:\\a.mp3"});
    EXPECT_EQ(missing.error, L"get: missing operand");
}

TEST(KivctlCommandLine, OptionsGoAnywhereAndOnlyWhereTheyApply)
{
    Parsed parsed = Parse({L"-r", L"ls", L"C:\\"});
    ASSERT_TRUE(parsed.ok);
    EXPECT_TRUE(parsed.line.recursive);
    parsed = Parse({L"put", L"--async", L"a.mp3", L"C:\\", L"--quiet", L"--no-overwrite"});
    ASSERT_TRUE(parsed.ok);
    EXPECT_TRUE(parsed.line.async);
    EXPECT_TRUE(parsed.line.quiet);
    EXPECT_TRUE(parsed.line.noOverwrite);
    EXPECT_EQ(parsed.line.operands, (std::vector<std::wstring>{L"a.mp3", L"C:\\"}));
    EXPECT_TRUE(Parse({L"--leave-if-different", L"--no-overwrite", L"get", L"C:\\a", L"b"}).ok);
    EXPECT_TRUE(Parse({L"-q", L"devices"}).ok);
    EXPECT_TRUE(Parse({L"format", L"--async", L"E:"}).ok);

    parsed = Parse({L"ls", L"-r", L"C:\\", L"--move"});
    EXPECT_FALSE(parsed.ok);
    EXPECT_EQ(parsed.error, L"ls: option --move does not apply");
    EXPECT_FALSE(Parse({L"put", L"-r", L"a", L"C:\\"}).ok);
    EXPECT_FALSE(Parse({L"rm", L"--async", L"C:\\a"}).ok);
    EXPECT_FALSE(Parse({L"format", L"--no-overwrite", L"E:"}).ok);
    EXPECT_FALSE(Parse({L"watch", L"--leave-if-different"}).ok);
}

TEST(KivctlCommandLine, OneVolumeFormsGoToKivMobilePhoneAndVolumeOnlyWithPlainLs)
{
    Parsed parsed = Parse({L"ls", L"MultiMediaCard (E:)\\Images\\*.jpg", L"--volume"});
    ASSERT_TRUE(parsed.ok);
    EXPECT_TRUE(parsed.line.volume);
    EXPECT_EQ(parsed.line.operands, (std::vector<std::wstring>{L"MultiMediaCard (E:)\\Images\\*.jpg"}));
    EXPECT_EQ(ClassFor(parsed.line), KivctlClass::OneVolume);
    EXPECT_EQ(ClassFor(Parse({L"cat", L"C:\\a.txt"}).line), KivctlClass::OneVolume);
    EXPECT_EQ(ClassFor(Parse({L"watch-dir", L"\\Images\\"}).line), KivctlClass::OneVolume);
    EXPECT_EQ(ClassFor(Parse({L"ls", L"C:\\"}).line), KivctlClass::Volume2);
    EXPECT_EQ(ClassFor(Parse({L"watch"}).line), KivctlClass::Volume2);

    parsed = Parse({L"ls", L"--volume", L"-r", L"\\"});
    EXPECT_FALSE(parsed.ok);
    EXPECT_EQ(parsed.error, L"ls: options --volume and -r do not go together");
    parsed = Parse({L"cat", L"--volume", L"\\a.txt"});
    EXPECT_FALSE(parsed.ok);
    EXPECT_EQ(parsed.error, L"cat: option --volume does not apply");
    EXPECT_FALSE(Parse({L"info", L"--volume", L"C:"}).ok);
    EXPECT_FALSE(Parse({L"watch-dir", L"-r", L"\\"}).ok);
    EXPECT_FALSE(Parse({L"cat", L"--async", L"\\a.txt"}).ok);
    EXPECT_FALSE(Parse({L"ls", L"--volume"}).ok);
    EXPECT_EQ(Parse({L"cat"}).error, L"cat: missing operand");
    EXPECT_EQ(Parse({L"cat", L"a", L"b"}).error, L"cat: too many operands");
    EXPECT_EQ(Parse({L"watch-dir"}).error, L"watch-dir: missing operand");
    EXPECT_FALSE(IsLongOperation(KivctlCommand::Cat));
}

TEST(KivctlCommandLine, HelpWinsAndDoubleDashEndsOptions)
{
    Parsed parsed = Parse({L"frobnicate", L"--bogus", L"-h"});
    ASSERT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.line.command, KivctlCommand::Help);
    EXPECT_TRUE(Parse({L"--help"}).ok);

    parsed = Parse({L"put", L"--", L"-odd name.mp3", L"C:\\"});
    ASSERT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.line.operands[0], L"-odd name.mp3");
    // A lone dash is an operand, not an option.
    parsed = Parse({L"get", L"C:\\a", L"-"});
    ASSERT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.line.operands[1], L"-");
}

TEST(KivctlCommandLine, FlagsWordFollowsTheOptions)
{
    KivctlCommandLine line;
    EXPECT_EQ(ExecutionFlagsFor(line, false), eBlocked);
    EXPECT_EQ(ExecutionFlagsFor(line, true), eBlocked | eMove);
    line.async = true;
    EXPECT_EQ(ExecutionFlagsFor(line, false), 0);
    line.noOverwrite = true;
    line.leaveIfDifferent = true;
    line.move = true;
    EXPECT_EQ(ExecutionFlagsFor(line, false), eNoOverwrite | eLeaveIfDifferent | eMove);

    EXPECT_TRUE(IsLongOperation(KivctlCommand::Put));
    EXPECT_TRUE(IsLongOperation(KivctlCommand::Restore));
    EXPECT_FALSE(IsLongOperation(KivctlCommand::Remove));
    EXPECT_FALSE(IsLongOperation(KivctlCommand::Watch));
    EXPECT_STREQ(CommandName(KivctlCommand::MakeFolder), L"mkdir");
}

TEST(KivctlCommandLine, PortActionsTakeTheirPortAndStatusAloneTakesJson)
{
    Parsed parsed = Parse({L"port", L"set", L"COM3"});
    ASSERT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.line.portAction, KivctlPortAction::Set);
    EXPECT_EQ(parsed.line.port, L"COM3");
    EXPECT_EQ(ClassFor(parsed.line), KivctlClass::General);
    parsed = Parse({L"port", L"reset"});
    ASSERT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.line.portAction, KivctlPortAction::Reset);
    EXPECT_TRUE(parsed.line.port.empty());
    EXPECT_TRUE(Parse({L"port", L"reset", L"COM3"}).ok);
    EXPECT_TRUE(Parse({L"port", L"resume"}).ok);

    EXPECT_EQ(Parse({L"port", L"set"}).error, L"port set: missing port");
    EXPECT_EQ(Parse({L"port", L"suspend", L"COM3"}).error, L"port suspend: too many operands");
    EXPECT_EQ(Parse({L"port", L"open", L"COM3"}).error, L"port: unknown action open (set, reset, suspend or resume)");
    EXPECT_EQ(Parse({L"port"}).error, L"port: missing operand");

    parsed = Parse({L"status", L"--json"});
    ASSERT_TRUE(parsed.ok);
    EXPECT_TRUE(parsed.line.json);
    EXPECT_EQ(ClassFor(parsed.line), KivctlClass::General);
    EXPECT_EQ(Parse({L"ls", L"--json", L"C:\\"}).error, L"ls: option --json does not apply");
}
