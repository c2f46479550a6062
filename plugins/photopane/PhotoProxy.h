#pragma once
// The photo plug-in's phone proxy object: from a server on this machine only (in-process,
// handler or local), one per thread, created after the thread joined its single-threaded
// apartment and used by that thread alone.
#include "com/ComPtr.h"

#include "KivlinkLib.h"

namespace tolv::photopane {

// A proxy that does not offer IKivVolume2 leaves `volume` empty and is no failure (the caller
// works as without a phone). A creation refused by a server that is just ending is tried again.
HRESULT CreatePhotoProxy(tolv::com::com_ptr<IKivVolume2>& volume);

}  // namespace tolv::photopane
