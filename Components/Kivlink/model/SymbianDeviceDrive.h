#pragma once
// A drive of the phone: its label, size and free space, and its root folder, from which
// every folder lookup on the drive starts.
#include "FileDescription.h"
#include "NamedRing.h"

#include "com/ComPtr.h"

#include "SymbianConnect.h"

#include <vector>

class CTolvTrace;

// The phone reports a drive's sizes as two 32-bit halves; Kivlink answers a 32-bit signed
// value, so anything beyond 2147483647 is reported as that.
constexpr long KIV_MAXIMUM_DRIVE_BYTES = 0x7FFFFFFF;
long ClampDriveBytes(long low, long high, bool& clamped);

class CSymbianDeviceDrive : public NamedRing<CSymbianDeviceDrive> {
public:
    // name: the drive's name as the phone reports it ("C:").
    CSymbianDeviceDrive(CTolvTrace* trace, tolv::com::com_ptr<ISCDrive> drive, tolv::com::com_ptr<ISCDriveSpace> space,
                        CKivString name);
    ~CSymbianDeviceDrive() override;

    const CKivString& GetName() const override { return m_name; }
    CTolvTrace* Trace() const { return m_trace; }
    CFileDescription Describe() { return CFileDescription(this, m_name); }

    // The root folder ("C:\"), created from the drive object on first use.
    HRESULT GetRootFolder(CFileDescription& root);

    HRESULT GetLabel(CKivString& label);
    HRESULT SetLabel(const wchar_t* label);
    // Total and free bytes, each at most 2147483647 (a larger value writes a warning).
    HRESULT GetCapacity(long& bytes);
    HRESULT GetFreeBytes(long& bytes);
    // Starts formatting; the phone answers the request id of the running format.
    HRESULT StartFormat(long& requestId);

private:
    CTolvTrace* m_trace;
    tolv::com::com_ptr<ISCDrive> m_drive;
    tolv::com::com_ptr<ISCDriveSpace> m_space;
    CSymbianDeviceDirectory* m_root = nullptr;
    std::vector<CFileDescription> m_rootDescriptions;
    CKivString m_name;
};
