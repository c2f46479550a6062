// envserver.exe is a process of its own, started by COM, kept while a client holds an object
// and ended by itself after its last client.
#include "tests/envserver/EnvServerTest.h"

#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"

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

// Handles to wait on for every running envserver.exe.
std::vector<tolv::com::unique_handle> OpenEnvServerProcesses()
{
    std::vector<tolv::com::unique_handle> processes;
    for (DWORD id : ProcessIdsOf(L"envserver.exe")) {
        tolv::com::unique_handle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
        if (process.valid()) {
            processes.push_back(std::move(process));
        }
    }
    return processes;
}

}  // namespace

using EnvServerLifetime = EnvServerTest;

TEST_F(EnvServerLifetime, TheServerLivesWhileHeldAndEndsAfterItsLastClient)
{
    // A server left over from earlier tests first finishes its own grace period.
    ASSERT_GE(WaitUntilGone(L"envserver.exe", kEndWithinMs), 0);
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
    EXPECT_TRUE(ProcessIdsOf(L"envserver.exe").empty());
}

TEST_F(EnvServerLifetime, AServerThatNobodyUsesEndsByItself)
{
    ASSERT_GE(WaitUntilGone(L"envserver.exe", kEndWithinMs), 0);
    const std::wstring command = RegisteredServerCommand();
    ASSERT_FALSE(command.empty());
    CChildProcess server(command + L" -Embedding");
    ASSERT_TRUE(server.Started());
    EXPECT_EQ(server.Wait(kEndWithinMs), 0);
}
