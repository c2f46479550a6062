#include "LocalServers.h"

#include "AsciiText.h"

#include "tests/support/ChildProcess.h"

#include <cstdio>

namespace {

// Kivlink ends 5 s after its last client, the simulator 2 s after its last phone and client.
constexpr DWORD kServerEndTimeoutMs = 20000;

}  // namespace

void WaitForServerEnd(const wchar_t* program)
{
    if (WaitUntilGone(program, kServerEndTimeoutMs) < 0)
        std::printf("note: %s still runs %lu ms after its last client went\n", Narrow(program).c_str(),
                    static_cast<unsigned long>(kServerEndTimeoutMs));
}
