#pragma once
// The change-notification service: clients' folder-change sinks and the delayed calls to them.
#include <windows.h>

class CRequestData;
class CTolvTrace;

class CKivNotificationHandler {
public:
    explicit CKivNotificationHandler(CTolvTrace* trace) : m_trace(trace) {}
    HRESULT Start();
    HRESULT Stop();
    // Registrations, broadcasts and removals, on worker 4's thread.
    HRESULT Handle(CRequestData& record);

private:
    CTolvTrace* m_trace;
    bool m_started = false;
};
