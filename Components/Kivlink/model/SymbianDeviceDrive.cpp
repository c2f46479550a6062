#include "SymbianDeviceDrive.h"

#include "PhoneCalls.h"
#include "SymbianDeviceDirectory.h"

#include <string>
#include <utility>

TOLV_TRACE_UNIT("CSymbianDeviceDrive");

long ClampDriveBytes(long low, long high, bool& clamped)
{
    clamped = high != 0 || static_cast<unsigned long>(low) > static_cast<unsigned long>(KIV_MAXIMUM_DRIVE_BYTES);
    return clamped ? KIV_MAXIMUM_DRIVE_BYTES : low;
}

CSymbianDeviceDrive::CSymbianDeviceDrive(CTolvTrace* trace, tolv::com::com_ptr<ISCDrive> drive,
                                         tolv::com::com_ptr<ISCDriveSpace> space, CKivString name)
    : m_trace(trace),
      m_drive(std::move(drive)),
      m_space(std::move(space)),
      m_name(std::move(name))
{
}

CSymbianDeviceDrive::~CSymbianDeviceDrive()
{
    // The root is held by its description only; it goes with it unless a lookup still has it.
    m_root = nullptr;
    m_rootDescriptions.clear();
}

HRESULT CSymbianDeviceDrive::GetRootFolder(CFileDescription& root)
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        if (!m_root) {
            tolv::com::com_ptr<ISCFolder> folder;
            KIV_THROW_IF_FAILED(KIV_REQUIRE(m_drive.get())->GetRootFolder(folder.put()));
            KIV_REQUIRE(folder.get());
            std::wstring path(m_name.c_str());
            if (path.empty() || path.back() != L'\\')
                path += L'\\';
            auto* created = new CSymbianDeviceDirectory(m_trace, std::move(folder), m_name, CKivString(path.c_str()));
            m_rootDescriptions.push_back(created->Describe());
            m_root = created;
        }
        root = m_root->Describe();
        return S_OK;
    });
}

HRESULT CSymbianDeviceDrive::GetLabel(CKivString& label)
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        BSTR text = nullptr;
        KIV_THROW_IF_FAILED(KIV_REQUIRE(m_drive.get())->GetLabel(&text));
        label = AdoptText(text);
        return S_OK;
    });
}

HRESULT CSymbianDeviceDrive::SetLabel(const wchar_t* label)
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        KIV_THROW_IF_FAILED(KIV_REQUIRE(m_drive.get())->SetLabel(KIV_TEXT_ARGUMENT(label).get()));
        return S_OK;
    });
}

HRESULT CSymbianDeviceDrive::GetCapacity(long& bytes)
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        long low = 0;
        long high = 0;
        KIV_THROW_IF_FAILED(KIV_REQUIRE(m_space.get())->GetCapacityLow(&low));
        KIV_THROW_IF_FAILED(m_space->GetCapacityHigh(&high));
        bool clamped = false;
        bytes = ClampDriveBytes(low, high, clamped);
        if (clamped)
            m_trace->Format(3, "WARNING: Double long integer for drive capacity value exceeds maximum range");
        return S_OK;
    });
}

HRESULT CSymbianDeviceDrive::GetFreeBytes(long& bytes)
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        long low = 0;
        long high = 0;
        KIV_THROW_IF_FAILED(KIV_REQUIRE(m_space.get())->GetFreeLow(&low));
        KIV_THROW_IF_FAILED(m_space->GetFreeHigh(&high));
        bool clamped = false;
        bytes = ClampDriveBytes(low, high, clamped);
        if (clamped)
            m_trace->Format(3, "WARNING: Double long integer  value for free space exceeds maximum range");
        return S_OK;
    });
}

HRESULT CSymbianDeviceDrive::StartFormat(long& requestId)
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        KIV_THROW_IF_FAILED(KIV_REQUIRE(m_drive.get())->Format(&requestId));
        return S_OK;
    });
}
