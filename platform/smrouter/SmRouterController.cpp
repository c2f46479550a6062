// The library's five functions. A process may bracket uses from several threads at once:
// the brackets are counted, and the port functions answer only inside one.
#include "platform/smrouter/SmRouterController.h"

#include "platform/smrouter/RouterPortStore.h"

namespace {

volatile LONG g_brackets = 0;

bool InsideBracket() noexcept
{
    return InterlockedCompareExchange(&g_brackets, 0, 0) > 0;
}

}  // namespace

extern "C" LONG WINAPI InitSMRouterContoller(void)
{
    const LONG installed = smrouter::CRouterPortStore::CheckInstalled();
    if (FAILED(installed)) {
        return installed;
    }
    InterlockedIncrement(&g_brackets);
    return S_OK;
}

extern "C" LONG WINAPI EnablePort(LPCWSTR port)
{
    if (!InsideBracket()) {
        return smrouter::kNotInitialised;
    }
    return smrouter::CRouterPortStore::Enable(port);
}

extern "C" LONG WINAPI DisablePort(LPCWSTR port)
{
    if (!InsideBracket()) {
        return smrouter::kNotInitialised;
    }
    return smrouter::CRouterPortStore::Disable(port);
}

extern "C" LONG WINAPI EnableLastDisabledPorts(void)
{
    if (!InsideBracket()) {
        return smrouter::kNotInitialised;
    }
    return smrouter::CRouterPortStore::EnableLastDisabled();
}

extern "C" LONG WINAPI FinishSMRouterContoller(void)
{
    for (;;) {
        const LONG open = InterlockedCompareExchange(&g_brackets, 0, 0);
        if (open <= 0) {
            return smrouter::kNotInitialised;
        }
        if (InterlockedCompareExchange(&g_brackets, open - 1, open) == open) {
            return S_OK;
        }
    }
}
