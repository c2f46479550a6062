// The host's type library (idl/HostLib.idl) as the IDispatch of the host's and the plug-ins'
// dual interfaces reads it: the registered one, else the TYPELIB resource of the module.
#pragma once

#include "HostLib.h"
#include "com/DispatchImpl.h"

namespace host {

inline constexpr tolv::com::TypeLibrary kHostLibrary{&LIBID_HostLib, 1, 0};

}  // namespace host
