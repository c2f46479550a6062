#pragma once
// Worker 4: the only thread that touches the change-notification registrations.
#include "KivWorker.h"

class CKivNotificationHandler;

class CKivWorkingThread4 : public CKivWorker {
public:
    CKivWorkingThread4(IKivServerServices& services, CKivNotificationHandler& changeService)
        : CKivWorker(services),
          m_changeService(changeService)
    {
    }

protected:
    HRESULT InitThread() override;
    void ProcessRequest(CRequestData& record) override;
    HRESULT ExitThread() override;
    bool IsKnownRequest(long type) const override;

private:
    HRESULT AddChangeNotification(const CRequestData& record);
    HRESULT BroadcastChangeNotification(const CRequestData& record);
    HRESULT RemoveChangeNotification(const CRequestData& record);

    CKivNotificationHandler& m_changeService;
};
