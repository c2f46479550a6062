#include "WorkerBusyCounters.h"

#include "trace/TraceResult.h"

namespace {

constexpr tolv::trace::site kNoCounterToRaise{"CMessageFilter", 181, 3};
constexpr tolv::trace::site kNoCounterToLower{"CMessageFilter", 207, 3};

volatile LONG g_busy[WorkerBusyCounters::COUNT + 1];

bool HasCounter(int workerNumber)
{
    return workerNumber >= 1 && workerNumber <= WorkerBusyCounters::COUNT;
}

}  // namespace

namespace WorkerBusyCounters {

void Raise(int workerNumber, CTolvTrace* trace)
{
    if (HasCounter(workerNumber))
        InterlockedIncrement(&g_busy[workerNumber]);
    else
        tolv::trace::Warning(kNoCounterToRaise, trace);
}

void Lower(int workerNumber, CTolvTrace* trace)
{
    if (HasCounter(workerNumber))
        InterlockedDecrement(&g_busy[workerNumber]);
    else
        tolv::trace::Warning(kNoCounterToLower, trace);
}

LONG Get(int workerNumber)
{
    return HasCounter(workerNumber) ? InterlockedCompareExchange(&g_busy[workerNumber], 0, 0) : 0;
}

}  // namespace WorkerBusyCounters
