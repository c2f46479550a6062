#pragma once
// Worker 2, the phone-status worker: ports, battery and signal, suspend and resume. It
// refuses everything while worker 1 runs a critical task.
#include "KivString.h"
#include "KivWorker.h"

class CKivWorkingThread2 : public CKivWorker {
public:
    explicit CKivWorkingThread2(IKivServerServices& services) : CKivWorker(services) {}

protected:
    HRESULT InitThread() override;
    void ProcessRequest(CRequestData& record) override;
    HRESULT ExitThread() override;
    bool IsKnownRequest(long type) const override;

private:
    CKivString m_portName;
};
