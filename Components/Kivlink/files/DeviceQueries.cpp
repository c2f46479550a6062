#include "FileOperations.h"
#include "InfoText.h"

#include "core/PhoneStatusReading.h"
#include "model/DeviceInfoText.h"
#include "model/FileDescription.h"
#include "model/SymbianConnectApplication.h"
#include "model/SymbianDevice.h"
#include "model/SymbianDeviceDrive.h"

#include "trace/TolvTrace.h"

#include <optional>
#include <string>
#include <vector>
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("DeviceQueries");

namespace {

CKivString JoinNames(const std::vector<CFileDescription>& entries)
{
    std::wstring text;
    for (const CFileDescription& entry : entries) {
        text += entry.Name().c_str();
        text += L",";
    }
    return CKivString(text.c_str());
}

HRESULT DeviceInfo(CKivFileContext& context, const CKivString& deviceName, const CRequestData& record, CKivString& info)
{
    CKivString manufacturer;
    CKivString model;
    tolv::com::com_ptr<ISCApplication> application;
    HRESULT hr = CreateSymbianConnectApplication(application);
    TOLV_RETURN_IF_FAILED(hr);
    if (application)
        ReadDeviceIdentity(application.get(), deviceName.c_str(), manufacturer, model);
    info = FormatDeviceInfoText(manufacturer, model, AttachedPhoneStatus(record), deviceName);
    context.trace->Format(3, "GetInfo: Device info %s", info.Narrow().c_str());
    return S_OK;
}

HRESULT DriveInfo(CKivFileContext& context, const wchar_t* path, CKivString& info)
{
    CFileDescription drive;
    HRESULT hr = context.device->GetDrive(path, drive);
    TOLV_RETURN_IF_FAILED(hr);
    context.trace->Format(3, "GetVolumeInfo(%s)", CKivString(path).Narrow().c_str());
    CKivString label;
    long capacity = 0;
    long freeBytes = 0;
    hr = drive.Drive()->GetLabel(label);
    if (SUCCEEDED(hr))
        hr = drive.Drive()->GetCapacity(capacity);
    if (SUCCEEDED(hr))
        hr = drive.Drive()->GetFreeBytes(freeBytes);
    if (FAILED(hr)) {
        context.trace->Format(3, "GetVolumeInfo - 0x%x", static_cast<unsigned>(hr));
        return hr;
    }
    context.trace->Format(3, "GetVolumeInfo - total=%d free=%d - Label = %s", static_cast<int>(capacity),
                          static_cast<int>(freeBytes), label.Narrow().c_str());
    info = FormatDriveInfoText(label, capacity, freeBytes);
    return S_OK;
}

HRESULT EntryInfo(CKivFileContext& context, const wchar_t* path, CKivString& info)
{
    CFileDescription entry;
    HRESULT hr = context.device->GetEntry(path, entry);
    TOLV_RETURN_IF_FAILED_EXPECTED(hr);
    const bool folder = entry.Kind() != KIND_FILE;
    long attributes = 0;
    long size = 0;
    DATE date = 0;
    hr = entry.GetAttributes(attributes);
    if (SUCCEEDED(hr) && !folder)
        hr = entry.GetSize(size);
    if (SUCCEEDED(hr) && !folder)
        hr = entry.GetDate(date);
    TOLV_RETURN_IF_FAILED(hr);
    info = FormatEntryInfoText(folder, attributes, size, date);
    return S_OK;
}

}  // namespace

HRESULT AnswerText(const CRequestData& record, const CKivString& text)
{
    auto* out = static_cast<BSTR*>(record.m_OutArg[OUT_TEXT]);
    if (!out)
        return S_OK;
    BSTR copy = text.Copy();
    if (!copy)
        return E_OUTOFMEMORY;
    SysFreeString(*out);
    *out = copy;
    return S_OK;
}

HRESULT RunListDevices(CKivFileContext& context, const CRequestData& record)
{
    std::vector<CFileDescription> devices;
    HRESULT hr = context.binding->RereadDeviceList(devices);
    TOLV_RETURN_IF_FAILED(hr);
    return AnswerText(record, JoinNames(devices));
}

HRESULT RunSelectDevice(CKivFileContext& context, const CRequestData& record)
{
    CFileDescription current;
    HRESULT hr = context.binding->GetCurrentDeviceDescription(current);
    TOLV_RETURN_IF_FAILED(hr);
    // Only the current device can be selected; the selection never changes it.
    return current.Name() == record.m_firstStringArg ? S_OK : E_INVALIDARG;
}

HRESULT RunListDrives(CKivFileContext& context, const CRequestData& record)
{
    std::vector<CFileDescription> drives;
    HRESULT hr = context.device->ListDriveEntries(drives);
    TOLV_RETURN_IF_FAILED(hr);
    return AnswerText(record, JoinNames(drives));
}

HRESULT RunListEntries(CKivFileContext& context, const CRequestData& record)
{
    std::vector<CFileDescription> entries;
    const wchar_t* path = record.m_firstStringArg.c_str();
    HRESULT hr = record.m_firstBooleanArg ? context.device->GetAllEntriesRecursive(path, L"", entries)
                                          : context.device->GetAllEntries(path, L"", entries);
    TOLV_RETURN_IF_FAILED(hr);
    const CKivString list = JoinNames(entries);
    context.trace->Format(3, "fileList = %s", list.Narrow().c_str());
    return AnswerText(record, list);
}

HRESULT RunGetInfo(CKivFileContext& context, const CRequestData& record)
{
    CKivString path = record.m_firstStringArg;
    if (path.empty()) {
        // The selected device itself, which is always the current one.
        path = context.device->GetName();
    }
    CKivString info;
    HRESULT hr = E_INVALIDARG;
    switch (ClassifyInfoPath(path.c_str())) {
    case INFO_DEVICE:
        hr = DeviceInfo(context, path, record, info);
        break;
    case INFO_DRIVE:
        hr = DriveInfo(context, path.c_str(), info);
        break;
    case INFO_ENTRY:
        hr = EntryInfo(context, path.c_str(), info);
        break;
    case INFO_INVALID:
        break;
    }
    TOLV_RETURN_IF_FAILED(hr);
    return AnswerText(record, info);
}
