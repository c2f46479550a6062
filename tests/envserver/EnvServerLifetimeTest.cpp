// envserver.exe is a process of its own, started by COM, kept while a client holds an object
// and ended by itself after its last client.
#include "tests/envserver/EnvServerTest.h"

#include <string>

#include "tests/envserver/ServerProcess.h"

namespace {

// Longer than the server's grace period after its last client.
constexpr DWORD kBeyondGracePeriodMs = 4000;
constexpr DWORD kEndWithinMs = 30000;

std::wstring RegisteredServerCommand()
{
    wchar_t command[MAX_PATH * 2] = L"";
    LONG size = sizeof command;
    RegQueryValueW(HKEY_CLASSES_ROOT, L"CLSID\\{ACAF313A-993D-4E85-B0FB-F6E07891BC90}\\LocalServer32", command, &size);
    return command;
}

}  // namespace

using EnvServerLifetime = EnvServerTest;

TEST_F(EnvServerLifetime, TheServerLivesWhileHeldAndEndsAfterItsLastClient)
{
    // A server left over from earlier tests first finishes its own grace period.
    ASSERT_TRUE(WaitForNoEnvServer(kEndWithinMs));
    auto server = CreateServer();
    ASSERT_TRUE(server);
    const std::vector<tolv::com::unique_handle> processes = OpenEnvServerProcesses();
    ASSERT_FALSE(processes.empty());
    for (const tolv::com::unique_handle& process : processes) {
        EXPECT_NE(GetProcessId(process.get()), GetCurrentProcessId());
    }

    // Held past the grace period, the object still answers.
    Sleep(kBeyondGracePeriodMs);
    short language = 0;
    EXPECT_EQ(server->GetLanguage(&language), S_OK);

    server = nullptr;
    for (const tolv::com::unique_handle& process : processes) {
        ASSERT_EQ(WaitForSingleObject(process.get(), kEndWithinMs), WAIT_OBJECT_0);
        DWORD exitCode = STILL_ACTIVE;
        ASSERT_TRUE(GetExitCodeProcess(process.get(), &exitCode));
        EXPECT_EQ(exitCode, 0u);
    }
    EXPECT_TRUE(EnvServerProcessIds().empty());
}

TEST_F(EnvServerLifetime, AServerThatNobodyUsesEndsByItself)
{
    ASSERT_TRUE(WaitForNoEnvServer(kEndWithinMs));
    std::wstring command = RegisteredServerCommand();
    ASSERT_FALSE(command.empty());
    command += L" -Embedding";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(
        CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started));
    const tolv::com::unique_handle process(started.hProcess);
    const tolv::com::unique_handle thread(started.hThread);
    ASSERT_EQ(WaitForSingleObject(process.get(), kEndWithinMs), WAIT_OBJECT_0);
    DWORD exitCode = STILL_ACTIVE;
    ASSERT_TRUE(GetExitCodeProcess(process.get(), &exitCode));
    EXPECT_EQ(exitCode, 0u);
}
