#include "TransferClock.h"

namespace {

class CSystemClock : public IKivTransferClock {
public:
    void Pause(DWORD milliseconds) override { Sleep(milliseconds); }
};

CSystemClock g_systemClock;
IKivTransferClock* volatile g_clock = &g_systemClock;

}  // namespace

IKivTransferClock& TransferClock()
{
    return *g_clock;
}

IKivTransferClock* SetTransferClock(IKivTransferClock* clock)
{
    IKivTransferClock* replacement = clock ? clock : &g_systemClock;
    PVOID previous = InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&g_clock), replacement);
    return static_cast<IKivTransferClock*>(previous);
}
