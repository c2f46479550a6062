#include "tools/kivctl/UsageText.h"

#include <gtest/gtest.h>

#include "tools/kivctl/CommandLine.h"
#include "tools/kivctl/ExitCodes.h"

TEST(KivctlUsageText, DocumentsEveryCommandAndEveryExitCode)
{
    const std::wstring text = UsageText();
    for (const wchar_t* command :
         {L"devices", L"drives", L"ls PATH", L"info [PATH]", L"put PCFILE", L"get PHONEFILE", L"cp SRC", L"mv SRC",
          L"rm PATH", L"mkdir PATH", L"format DRIVE", L"backup DRIVE", L"restore DRIVE", L"watch", L"ls --volume PATH",
          L"cat PHONEFILE", L"watch-dir PATH"}) {
        EXPECT_NE(text.find(std::wstring(L"\n  ") + command), std::wstring::npos) << command;
    }
    for (const wchar_t* option : {L"--no-overwrite", L"--leave-if-different", L"--move", L"--async", L"--quiet",
                                  L"--recursive", L"--help", L"--volume"}) {
        EXPECT_NE(text.find(option), std::wstring::npos);
    }
    const std::wstring codes = text.substr(text.find(L"Exit codes:"));
    for (int code : {kExitSuccess, kExitUsage, kExitNoKivlink, kExitNoPhone, kExitNotFound, kExitInvalidArgument,
                     kExitAlreadyExists, kExitCancelled, kExitFailure}) {
        EXPECT_NE(codes.find(L"\n  " + std::to_wstring(code) + L"  "), std::wstring::npos) << code;
    }
}
