#include "platform/phonesim/CallCounter.h"

#include <ole2.h>

#include "com/ComObject.h"

namespace phonesim {

namespace {

// Names the hook's (empty) extension in the call headers.
constexpr GUID kCallCounterExtension = {0x5c0d6a31, 0x8e2b, 0x4f7a, {0x9b, 0x41, 0x6d, 0x2e, 0x73, 0x10, 0xa5, 0xc8}};

volatile LONG g_servedCalls = 0;

// COM asks the server's hooks for the size of their reply data once for each call that this
// process answers through a channel (ServerNotify comes only with a client's extension data).
class CCallCountingHook : public IChannelHook {
public:
    using interface_map = tolv::com::interface_map<IChannelHook>;

    void STDMETHODCALLTYPE ClientGetSize(REFGUID, REFIID, ULONG* size) override { *size = 0; }
    void STDMETHODCALLTYPE ClientFillBuffer(REFGUID, REFIID, ULONG* size, void*) override { *size = 0; }
    void STDMETHODCALLTYPE ClientNotify(REFGUID, REFIID, ULONG, void*, DWORD, HRESULT) override {}
    void STDMETHODCALLTYPE ServerNotify(REFGUID, REFIID, ULONG, void*, DWORD) override {}
    void STDMETHODCALLTYPE ServerGetSize(REFGUID, REFIID, HRESULT, ULONG* size) override
    {
        InterlockedIncrement(&g_servedCalls);
        *size = 0;
    }
    void STDMETHODCALLTYPE ServerFillBuffer(REFGUID, REFIID, ULONG* size, void*, HRESULT) override { *size = 0; }
};

}  // namespace

HRESULT StartCountingCalls() noexcept
{
    tolv::com::com_ptr<tolv::com::InternalComObject<CCallCountingHook>> hook;
    RETURN_IF_FAILED(tolv::com::InternalComObject<CCallCountingHook>::Create(hook));
    // COM keeps its own reference for the life of the process.
    return CoRegisterChannelHook(kCallCounterExtension, hook.get());
}

LONG ServedCalls() noexcept
{
    return InterlockedCompareExchange(&g_servedCalls, 0, 0);
}

}  // namespace phonesim
