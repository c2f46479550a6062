#include "com/ComPtr.h"

namespace tolv::com {

bool IsSameObject(IUnknown* left, IUnknown* right) noexcept
{
    if (left == nullptr || right == nullptr) {
        return left == right;
    }
    com_ptr<IUnknown> leftIdentity;
    com_ptr<IUnknown> rightIdentity;
    if (FAILED(left->QueryInterface(IID_IUnknown, leftIdentity.put_void())) ||
        FAILED(right->QueryInterface(IID_IUnknown, rightIdentity.put_void()))) {
        return false;
    }
    return leftIdentity == rightIdentity;
}

}  // namespace tolv::com
