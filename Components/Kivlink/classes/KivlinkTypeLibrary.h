#pragma once
// Kivlink's own type library: registered with the server and carried as its TYPELIB
// resource, so late binding works even before registration.
#include "KivlinkLib.h"
#include "com/ComObject.h"
#include "com/DispatchImpl.h"

extern const tolv::com::TypeLibrary g_kivlinkTypeLibrary;
