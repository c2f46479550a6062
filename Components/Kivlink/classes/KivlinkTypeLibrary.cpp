#include "KivlinkTypeLibrary.h"

const tolv::com::TypeLibrary g_kivlinkTypeLibrary{&LIBID_KivlinkLib, 1, 0};
