#include "WorkerRequests.h"

#include "core/KivWorker.h"
#include "core/KivlinkModule.h"

HRESULT SendToWorker(KivWorkerRole role, CRequestData& record)
{
    CExeModule* module = CExeModule::Current();
    CKivWorker* worker = module ? module->Worker(role) : nullptr;
    if (!worker)
        return E_UNEXPECTED;
    record.m_Response = &record;
    HRESULT hr = worker->PostRequestAndWait(record);
    return FAILED(hr) ? hr : record.m_RetVal;
}
