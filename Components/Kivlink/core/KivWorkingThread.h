#pragma once
// Worker 1, the file worker: all file, drive and device work on its own phone binding.
#include "KivWorker.h"
#include "SCEventImp.h"
#include "SymbianConnectRT.h"

#include <memory>

class CKivWorkingThread : public CKivWorker {
public:
    static constexpr DWORD CONNECTION_WAIT_MS = 20000;

    explicit CKivWorkingThread(IKivServerServices& services) : CKivWorker(services) {}

protected:
    HRESULT InitThread() override;
    void ProcessRequest(CRequestData& record) override;
    HRESULT ExitThread() override;
    bool IsKnownRequest(long type) const override;

private:
    HRESULT Execute(CRequestData& record, CFileDescription& device);
    void InvalidateAfterSuccess(const CRequestData& record);
    void ReleaseBinding();

    std::unique_ptr<CSymbianConnectRT> m_binding;
    tolv::com::com_ptr<CSCEventImp> m_events;
};
