#pragma once
// How many callers wait on each worker right now; the incoming-call filter reads them to
// answer calls for a busy worker with "retry later".
#include <windows.h>

class CTolvTrace;

namespace WorkerBusyCounters {

constexpr int COUNT = 6;

// Raise or lower the counter of a worker (1 to 6); other numbers have none and are traced.
void Raise(int workerNumber, CTolvTrace* trace);
void Lower(int workerNumber, CTolvTrace* trace);
LONG Get(int workerNumber);

}  // namespace WorkerBusyCounters
