#pragma once
// What Kivlink knows of each request type, in one table: its name, the threads that serve it,
// whether it is a critical task (the phone-status worker refuses all work meanwhile) and a
// long operation (the phone reports its progress and completion), and the file worker's
// operation for it. The workers' served-type tests, the file worker's critical-task and
// long-operation rules and its dispatch all read this table.
#include "RequestTypes.h"
#include "WorkerRole.h"

#include <windows.h>

struct CKivFileContext;
class CRequestData;

using KivFileOperation = HRESULT (*)(CKivFileContext& context, const CRequestData& record);

struct SKivRequestKind {
    KivRequestType type;
    const char* name;
    unsigned servedBy;  // RoleBit of each serving thread
    bool critical;
    bool longOperation;
    // The file worker's operation, run between its ">>>" and "<<<" lines when `method` is
    // set; null where the worker answers itself (or E_NOTIMPL).
    const char* method;
    KivFileOperation operation;
};

// Null for a type Kivlink does not know.
const SKivRequestKind* FindRequestKind(long type);
bool IsServedBy(long type, KivWorkerRole role);
bool IsCriticalTask(long type);
bool IsLongOperation(long type);
