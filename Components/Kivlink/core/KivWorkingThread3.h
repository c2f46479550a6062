#pragma once
// Worker 3, the listing worker: serves folder listings from a second binding and model, so
// that listings do not queue behind long file operations.
#include "KivWorker.h"
#include "SCEventImp.h"
#include "SymbianConnectRT.h"

#include <memory>

class CKivWorkingThread3 : public CKivWorker {
public:
    explicit CKivWorkingThread3(IKivServerServices& services) : CKivWorker(services) {}

protected:
    HRESULT InitThread() override;
    void ProcessRequest(CRequestData& record) override;
    HRESULT ExitThread() override;
    bool IsKnownRequest(long type) const override;

private:
    // Drops the cached folder of a path the file worker changed; with notify, the sinks
    // registered for that folder hear of it.
    HRESULT InvalidateParent(const CRequestData& record);

    std::unique_ptr<CSymbianConnectRT> m_binding;
    tolv::com::com_ptr<CSCEventImp> m_events;
};
