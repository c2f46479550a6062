#include "WorkerBusyCounters.h"

#include "trace/TolvTrace.h"

namespace {

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
    else if (trace)
        trace->Format(3, "WARNING [%s %d]", "CMessageFilter", 181);
}

void Lower(int workerNumber, CTolvTrace* trace)
{
    if (HasCounter(workerNumber))
        InterlockedDecrement(&g_busy[workerNumber]);
    else if (trace)
        trace->Format(3, "WARNING [%s %d]", "CMessageFilter", 207);
}

LONG Get(int workerNumber)
{
    return HasCounter(workerNumber) ? InterlockedCompareExchange(&g_busy[workerNumber], 0, 0) : 0;
}

}  // namespace WorkerBusyCounters
