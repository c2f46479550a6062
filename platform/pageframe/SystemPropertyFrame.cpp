#include "platform/pageframe/SystemPropertyFrame.h"

#include <olectl.h>

#include "platform/pageframe/PageFrameProtocol.h"

namespace pageframe {

namespace {

constexpr UINT kFrameLeft = 40;
constexpr UINT kFrameTop = 40;

}  // namespace

HRESULT ShowSystemPropertyFrame(const std::vector<CLSID>& pages) noexcept
{
    if (pages.empty()) {
        return E_INVALIDARG;
    }
    // The plug-ins' pages edit no object: the frame is given none.
    return OleCreatePropertyFrame(nullptr, kFrameLeft, kFrameTop, kPageFrameTitle, 0, nullptr,
                                  static_cast<ULONG>(pages.size()), const_cast<CLSID*>(pages.data()),
                                  GetUserDefaultLCID(), 0, nullptr);
}

}  // namespace pageframe
