#include "ProgramMemory.h"

#include "bench/support/AsciiText.h"
#include "bench/support/CallFailure.h"

#include "tests/support/ChildProcess.h"

#include "com/UniqueHandle.h"

#include <psapi.h>

#include <vector>

bool ReadProgramMemory(const wchar_t* program, ProgramMemory& memory, std::string& problem)
{
    const std::vector<DWORD> ids = ProcessIdsOf(program);
    if (ids.size() != 1) {
        problem = std::to_string(ids.size()) + " processes of " + Narrow(program) + " run instead of one";
        return false;
    }
    const tolv::com::unique_handle process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, ids.front()));
    if (!process) {
        problem = "cannot open " + Narrow(program) + ": " + DescribeWin32Failure(GetLastError());
        return false;
    }
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(process.get(), &counters, sizeof(counters))) {
        problem = "cannot read the memory counters of " + Narrow(program) + ": " + DescribeWin32Failure(GetLastError());
        return false;
    }
    memory.processId = ids.front();
    memory.workingSet = counters.WorkingSetSize;
    memory.privateBytes = counters.PagefileUsage;
    return true;
}
