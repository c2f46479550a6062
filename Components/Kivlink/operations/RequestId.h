#pragma once
// What the code that starts a long operation sees of its tracker: the phone's request id
// goes in once the start call has answered it, and the starter may then wait for the end.
#include <windows.h>

class IRequestId {
public:
    virtual void SetRequestId(long requestId) = 0;
    // 0 while the id is unknown.
    virtual long GetRequestId() = 0;
    // Ends with the completion (S_OK), KIV_E_BADCONNECTION when the disconnect event is set,
    // or E_FAIL after timeoutMs without any progress or completion.
    virtual HRESULT WaitProgress(DWORD timeoutMs, HANDLE disconnectEvent) = 0;

protected:
    virtual ~IRequestId() = default;
};
