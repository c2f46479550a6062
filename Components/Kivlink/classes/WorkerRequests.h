#pragma once
// How a COM method hands its record to the worker that serves it and waits for the answer.
#include "core/RequestData.h"
#include "core/WorkerRole.h"

#include <windows.h>

// The worker's failure to take the record, else the record's own result. E_UNEXPECTED when the
// server runs no such worker (it is ending).
HRESULT SendToWorker(KivWorkerRole role, CRequestData& record);
