#include "PhoneStatusReading.h"

#include "KivWorker.h"
#include "WorkerBusyCounters.h"

CRequestData PhoneStatusRequest(CPhoneStatusReading& reading)
{
    CRequestData record(REQ_GET_BATTERY_SIGNAL);
    record.m_OutArg[OUT_FIRST_LONG] = &reading.charge;
    record.m_OutArg[OUT_SECOND_LONG] = &reading.signal;
    return record;
}

std::optional<CPhoneStatusReading> ReadPhoneStatusIfIdle(IKivServerServices& services)
{
    CKivWorker* worker = services.Worker(KivWorkerRole::PhoneStatus);
    if (!worker || services.IsCriticalTaskRunning() ||
        WorkerBusyCounters::Get(static_cast<int>(KivWorkerRole::PhoneStatus)) != 0)
        return std::nullopt;
    CPhoneStatusReading reading;
    CRequestData record = PhoneStatusRequest(reading);
    record.m_Response = &record;
    if (FAILED(worker->PostRequestAndWait(record)) || FAILED(record.m_RetVal))
        return std::nullopt;
    return reading;
}

void AttachPhoneStatus(CRequestData& record, const CPhoneStatusReading& reading)
{
    record.m_secondBooleanArg = true;
    record.m_secondIntegerArg = reading.charge;
    record.m_thirdIntegerArg = reading.signal;
}

std::optional<CPhoneStatusReading> AttachedPhoneStatus(const CRequestData& record)
{
    if (!record.m_secondBooleanArg)
        return std::nullopt;
    return CPhoneStatusReading{record.m_secondIntegerArg, record.m_thirdIntegerArg};
}
