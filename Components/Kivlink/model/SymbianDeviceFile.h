#pragma once
// A file of a phone folder. Read* ask the phone each time (a check that waits for a size to
// settle needs that); Known* ask it once per object and answer from memory afterwards, so
// that every description of a known file, whichever lookup made it, costs no call. A change
// to the folder drops its file objects, and the next lookup reads the values again.
#include "NamedRing.h"

#include <optional>

#include "com/ComPtr.h"

#include "SymbianConnect.h"

class CTolvTrace;

class CSymbianDeviceFile : public NamedRing<CSymbianDeviceFile> {
public:
    // name: the last component of fullPath, the path the phone reported.
    CSymbianDeviceFile(CTolvTrace* trace, tolv::com::com_ptr<ISCFile> file, CKivString name, CKivString fullPath);

    const CKivString& GetName() const override { return m_name; }
    const CKivString& FullPath() const { return m_fullPath; }
    CTolvTrace* Trace() const { return m_trace; }

    HRESULT ReadAttributes(long& attributes);
    HRESULT WriteAttributes(long attributes);
    HRESULT ReadSize(long& size);
    HRESULT ReadDate(DATE& date);
    HRESULT WriteDate(DATE date);
    HRESULT KnownAttributes(long& attributes);
    HRESULT KnownSize(long& size);
    HRESULT KnownDate(DATE& date);
    // Starts a copy to a PC path; the phone answers the request id of the running copy.
    HRESULT StartCopyToPC(const wchar_t* pcPath, long& requestId);
    HRESULT Delete();
    HRESULT Rename(const wchar_t* newName);

private:
    CTolvTrace* m_trace;
    tolv::com::com_ptr<ISCFile> m_file;
    CKivString m_name;
    CKivString m_fullPath;
    std::optional<long> m_attributes;
    std::optional<long> m_size;
    std::optional<DATE> m_date;
};
