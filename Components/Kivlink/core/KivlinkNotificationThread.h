#pragma once
// Worker 5: receives every phone-library event, one at a time and in arrival order, and tells
// the bindings and the clients about connects and disconnects.
#include "BindingRegistry.h"
#include "KivWorker.h"

#include "Components/Kivlink/operations/KivlinkNotificationHandler.h"

#include "com/CriticalSection.h"

#include <memory>
#include <vector>

class CSymbianConnectRT;

class CKivlinkNotificationThread : public CKivWorker, public IKivBindingRegistry {
public:
    static constexpr DWORD ABANDONED_CHECK_INTERVAL_MS = 1000;

    explicit CKivlinkNotificationThread(IKivServerServices& services) : CKivWorker(services) {}
    ~CKivlinkNotificationThread() override;

    // The tracker of the phone's long operations; null until the thread has started.
    CKivlinkNotificationHandler* Handler() { return m_handler.get(); }

    // Bindings register from their own workers' threads while this thread may be walking them.
    void RegisterBinding(CSymbianConnectRT* binding) override;
    void UnregisterBinding(CSymbianConnectRT* binding) override;

protected:
    HRESULT InitThread() override;
    void ProcessRequest(CRequestData& record) override;
    HRESULT ExitThread() override { return S_OK; }
    bool IsKnownRequest(long type) const override;
    // Unblocked operations that went silent for the inactivity time-out are ended.
    DWORD MaintenanceIntervalMs() const override { return ABANDONED_CHECK_INTERVAL_MS; }
    void OnMaintenance() override;

private:
    void OnConnected(const CRequestData& record);
    void OnDisconnected(const CRequestData& record);
    HRESULT HandleOperation(const CRequestData& record);
    static void AnswerResponse(const CRequestData& record, VARIANT_BOOL response);

    std::unique_ptr<CKivlinkNotificationHandler> m_handler;
    tolv::com::critical_section m_bindingsLock;
    std::vector<CSymbianConnectRT*> m_bindings;
};
