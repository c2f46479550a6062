#pragma once
// Worker 2, the phone-status worker: ports, battery and signal, suspend and resume. It
// refuses everything while worker 1 runs a critical task.
#include "KivString.h"
#include "KivWorker.h"
#include "RequestData.h"

class CKivWorkingThread2 : public CKivWorker {
public:
    explicit CKivWorkingThread2(IKivServerServices& services) : CKivWorker(services) {}

protected:
    HRESULT InitThread() override;
    void ProcessRequest(CRequestData& record) override;
    HRESULT ExitThread() override;
    bool IsKnownRequest(long type) const override;

private:
    // OUT_FIRST_LONG and OUT_SECOND_LONG: battery and signal (long*).
    HRESULT ReadBatterySignal(const CRequestData& record);
    HRESULT SetPort(const CKivString& port);
    // An empty port means the one the last SetPort was given.
    HRESULT ResetPort(const CKivString& port);
    HRESULT SuspendConnection();
    HRESULT ResumeConnection();

    // The last port SetPort was given; empty until then.
    CKivString m_portName;
};
