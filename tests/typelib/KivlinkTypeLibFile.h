// Kivlink's type library as the build produced it, loaded without registering it.
#pragma once

#include "TypeLibReader.h"

namespace typelib_test {

// Windows form of the build's .tlb path: under Wine the Linux root is drive Z:.
std::wstring KivlinkTypeLibPath();
ComPtr<ITypeLib> LoadKivlinkTypeLib();

}  // namespace typelib_test
