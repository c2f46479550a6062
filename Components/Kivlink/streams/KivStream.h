#pragma once
// The base of Kivlink's streams: the test whether an interface sets error objects (only
// IStream does), a virtual destructor, so that a stream is deleted through its base, and
// the raw write to a file handle that a writable stream builds on.
#include "com/ErrorInfo.h"

#include <windows.h>
#include <objidl.h>

class KivStream : public IStream, public tolv::com::SupportErrorInfoImpl<IStream> {
public:
    virtual ~KivStream() = default;

    // Writes count bytes to file and flushes them. E_POINTER for a null buffer with a count;
    // a failure of the system is its error as an HRESULT. written (optional) gets the bytes
    // the system took, also on failure.
    virtual HRESULT WriteRaw(HANDLE file, const void* bytes, ULONG count, ULONG* written);
};
