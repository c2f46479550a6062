#pragma once
// The incoming-call filter: answers a call "retry later" while a caller already waits on the
// worker that the call would need, so that one client's slow listing does not queue another
// client's calls behind it.
//
// COM consults a message filter only for calls into the single-threaded apartment that
// registered it. Created and registered by the module's main thread when the registry switch
// says so; it keeps no module lock, so it never keeps the server alive.
#include "FilterMethodTable.h"

#include "com/ComObject.h"

#include <objidl.h>

class CTolvTrace;

class CMessageFilter : public IMessageFilter {
public:
    using interface_map = tolv::com::interface_map<IMessageFilter>;

    CMessageFilter(CFilterMethodTable table, CTolvTrace* trace);

    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD callType, HTASK caller, DWORD tickCount,
                                               LPINTERFACEINFO interfaceInfo) override;
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK callee, DWORD tickCount, DWORD rejectType) override;
    DWORD STDMETHODCALLTYPE MessagePending(HTASK callee, DWORD tickCount, DWORD pendingType) override;

private:
    CFilterMethodTable m_table;
    CTolvTrace* m_trace;
};
