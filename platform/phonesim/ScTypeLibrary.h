// The simulator's type library, which drives the objects' IDispatch and the marshalling of
// their interfaces.
#pragma once

#include "SymbianConnect.h"
#include "com/ComObject.h"
#include "com/DispatchImpl.h"

namespace phonesim {

inline constexpr tolv::com::TypeLibrary kScLibrary{&LIBID_SymbianConnect, 1, 0};

}  // namespace phonesim
