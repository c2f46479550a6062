#pragma once
// Worker 1, the file worker: all file, drive and device work on its own phone binding.
#include "KivWorker.h"
#include "RequestTable.h"
#include "SCEventImp.h"
#include "SymbianConnectRT.h"

#include <memory>

struct CKivFileContext;
class CKivlinkNotificationHandler;

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
    // Runs an operation between the worker's own entry and exit lines.
    HRESULT RunTraced(const char* method, KivFileOperation operation, CKivFileContext& context, CRequestData& record);
    void InvalidateAfterSuccess(const CRequestData& record);
    CKivlinkNotificationHandler* Handler();
    void SendImmediateCompletion(const CRequestData& record, HRESULT result);
    void ReleaseBinding();

    std::unique_ptr<CSymbianConnectRT> m_binding;
    tolv::com::com_ptr<CSCEventImp> m_events;
};
