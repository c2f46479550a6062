#include "KivlinkMobilePhone2.h"

#include "KivErrorReporter.h"
#include "KivServerTrace.h"
#include "WorkerRequests.h"

#include "core/KivWorker.h"
#include "core/KivlinkModule.h"
#include "core/PhoneStatusReading.h"
#include "core/RequestData.h"
#include "files/InfoText.h"
#include "paths/PhonePath.h"
#include "trace/TolvTrace.h"

#include "com/DispatchArguments.h"

#include <cwchar>
#include <string_view>
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("KivlinkMobilePhone2");

namespace {

// Events that the type library does not declare on IKivAllServerEvents; sinks get them through
// Invoke all the same.
constexpr DISPID DISPID_DEVICE_CONNECTED = 1;
constexpr DISPID DISPID_DEVICE_DISCONNECTED = 2;
constexpr DISPID DISPID_OPERATION_PROGRESS = 3;
constexpr DISPID DISPID_OPERATION_COMPLETION = 4;

std::string Narrow(BSTR text)
{
    return CKivString(text ? text : L"").Narrow();
}

}  // namespace

CKivlinkMobilePhone2::CKivlinkMobilePhone2() : m_events(AddConnectionPoint(DIID_IKivAllServerEvents)) {}

HRESULT CKivlinkMobilePhone2::Report(HRESULT hr)
{
    return ReportKivResult(hr, CLSID_KivVolume2, IID_IKivVolume2);
}

HRESULT CKivlinkMobilePhone2::FinalConstruct()
{
    if (CExeModule* module = CExeModule::Current()) {
        module->AttachListener(this, this);
        m_attached = true;
    }
    return S_OK;
}

void CKivlinkMobilePhone2::FinalRelease()
{
    if (m_attached) {
        if (CExeModule* module = CExeModule::Current())
            module->DetachListener(this, this);
        m_attached = false;
    }
}

HRESULT CKivlinkMobilePhone2::Connected(BSTR deviceName, BSTR deviceInformation)
{
    KivServerTrace()->Format(3, "FireDeviceConnected %s %s", Narrow(deviceName).c_str(),
                             Narrow(deviceInformation).c_str());
    tolv::com::DispatchArguments arguments;
    arguments.add_string(deviceName);
    arguments.add_string(deviceInformation);
    return m_events.FireDispatch(DISPID_DEVICE_CONNECTED, arguments);
}

HRESULT CKivlinkMobilePhone2::Disconnected(BSTR deviceName)
{
    KivServerTrace()->Format(3, "FireDeviceDisconnected %s", Narrow(deviceName).c_str());
    tolv::com::DispatchArguments arguments;
    arguments.add_string(deviceName);
    return m_events.FireDispatch(DISPID_DEVICE_DISCONNECTED, arguments);
}

HRESULT CKivlinkMobilePhone2::Progress(long action, BSTR path, long percentage, VARIANT_BOOL* cancel)
{
    KivServerTrace()->Format(3, "FireOperationProgress %d %s %d ", static_cast<int>(action), Narrow(path).c_str(),
                             static_cast<int>(percentage));
    if (cancel)
        *cancel = VARIANT_FALSE;
    std::vector<tolv::com::com_ptr<IDispatch>> sinks;
    HRESULT hr = m_events.Sinks(sinks);
    TOLV_RETURN_IF_FAILED(hr);
    // One sink asking to cancel is enough; each sink sees its own copy of the flag.
    for (const auto& sink : sinks) {
        VARIANT_BOOL copy = VARIANT_FALSE;
        tolv::com::DispatchArguments arguments;
        arguments.add_long(action);
        arguments.add_string(path);
        arguments.add_long(percentage);
        arguments.add_bool_ref(&copy);
        tolv::com::InvokeSink(sink.get(), DISPID_OPERATION_PROGRESS, arguments);
        if (copy == VARIANT_TRUE && cancel)
            *cancel = VARIANT_TRUE;
    }
    return S_OK;
}

HRESULT CKivlinkMobilePhone2::Completion(long action, BSTR path, long result)
{
    KivServerTrace()->Format(3, "FireOperationCompletion %d %s 0x%x", static_cast<int>(action), Narrow(path).c_str(),
                             static_cast<unsigned>(result));
    tolv::com::DispatchArguments arguments;
    arguments.add_long(action);
    arguments.add_string(path);
    arguments.add_long(result);
    // The reference the operation held since its start; this may be the last one.
    tolv::com::com_ptr<IKivVolume2> operationReference;
    operationReference.attach(this);
    m_events.FireDispatch(DISPID_OPERATION_COMPLETION, arguments);
    return S_OK;
}

unsigned CKivlinkMobilePhone2::PointerNumber(const void* pointer)
{
    return static_cast<unsigned>(reinterpret_cast<UINT_PTR>(pointer));
}

bool CKivlinkMobilePhone2::IsValidPath(BSTR path)
{
    return path && CPhonePath(std::wstring_view(path, SysStringLen(path))).IsValid();
}

bool CKivlinkMobilePhone2::IsValidDestination(BSTR path)
{
    return IsValidPath(path) && !wcspbrk(path, L"*?");
}

HRESULT CKivlinkMobilePhone2::SendToFileWorker(CRequestData& record)
{
    record.m_SelectedDevice = m_selectedDevice;
    return SendToWorker(KivWorkerRole::File, record);
}

HRESULT CKivlinkMobilePhone2::SendLongOperation(CRequestData& record)
{
    record.m_Callback = this;
    // An unblocked operation keeps this object alive until its completion has been sent: the
    // reference goes to Completion when the operation started, and back here when it did not.
    tolv::com::com_ptr<IKivVolume2> operationReference(this);
    HRESULT hr = SendToFileWorker(record);
    if (!record.Flags().Has(eBlocked) && SUCCEEDED(hr))
        operationReference.detach();
    return hr;
}

HRESULT CKivlinkMobilePhone2::ListDevices(BSTR* devices)
{
    KivServerTrace()->Format(3, ">>>IKivVolume2::ListDevices(0x%08X) ...", PointerNumber(devices));
    HRESULT hr = E_POINTER;
    if (devices) {
        *devices = nullptr;
        CRequestData record(REQ_LIST_DEVICES);
        record.m_OutArg[OUT_TEXT] = devices;
        hr = SendToFileWorker(record);
    }
    KivServerTrace()->Format(3, "<<<IKivVolume2::ListDevices(0x%08X=%s) - hr=0x%08X", PointerNumber(devices),
                             devices ? Narrow(*devices).c_str() : "", static_cast<unsigned>(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone2::SelectDevice(BSTR DeviceName)
{
    KivServerTrace()->Format(3, ">>>IKivVolume2::SelectDevice(%s) ...", Narrow(DeviceName).c_str());
    CRequestData record(REQ_SELECT_DEVICE);
    record.m_firstStringArg = CKivString(DeviceName ? DeviceName : L"");
    HRESULT hr = SendToFileWorker(record);
    if (SUCCEEDED(hr))
        m_selectedDevice = record.m_firstStringArg;
    KivServerTrace()->Format(3, "<<<IKivVolume2::SelectDevice(%s) - hr=0x%08X", Narrow(DeviceName).c_str(),
                             static_cast<unsigned>(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone2::ListDrives(BSTR* drives)
{
    KivServerTrace()->Format(3, ">>>IKivVolume2::ListDrives(0x%08X) ...", PointerNumber(drives));
    HRESULT hr = E_POINTER;
    if (drives) {
        *drives = nullptr;
        CRequestData record(REQ_LIST_DRIVES);
        record.m_OutArg[OUT_TEXT] = drives;
        hr = SendToFileWorker(record);
    }
    KivServerTrace()->Format(3, "<<<IKivVolume2::ListDrives() - hr=0x%08x", static_cast<unsigned>(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone2::FormatDrive(BSTR driveName, LONG ExecutionFlags)
{
    const std::string drive = Narrow(driveName);
    KivServerTrace()->Format(3, ">>>IKivVolume2::FormatDrive(%s,%d) ...", drive.c_str(),
                             static_cast<int>(ExecutionFlags));
    CRequestData record(REQ_FORMAT);
    record.m_firstStringArg = CKivString(driveName ? driveName : L"");
    record.m_firstIntegerArg = ExecutionFlags;
    HRESULT hr = SendLongOperation(record);
    KivServerTrace()->Format(3, "<<<IKivVolume2::FormatDrive(%s,%d) - hr=0x%08X", drive.c_str(),
                             static_cast<int>(ExecutionFlags), static_cast<unsigned>(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone2::BackupDrive(BSTR BackupPath, BSTR DeviceDrive, LONG ExecutionFlags)
{
    const std::string path = Narrow(BackupPath);
    const std::string drive = Narrow(DeviceDrive);
    KivServerTrace()->Format(3, ">>>IKivVolume2::BackupDrive(%s, %s, %d) ...", path.c_str(), drive.c_str(),
                             static_cast<int>(ExecutionFlags));
    CRequestData record(REQ_BACKUP_DRIVE);
    record.m_firstStringArg = CKivString(BackupPath ? BackupPath : L"");
    record.m_secondStringArg = CKivString(DeviceDrive ? DeviceDrive : L"");
    record.m_firstIntegerArg = ExecutionFlags;
    HRESULT hr = SendLongOperation(record);
    KivServerTrace()->Format(3, "<<<IKivVolume2::BackupDrive(%s, %s, %d) - hr=0x%08X", path.c_str(), drive.c_str(),
                             static_cast<int>(ExecutionFlags), static_cast<unsigned>(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone2::RestoreDrive(BSTR BackupPath, BSTR DeviceDrive, LONG ExecutionFlags)
{
    const std::string path = Narrow(BackupPath);
    const std::string drive = Narrow(DeviceDrive);
    KivServerTrace()->Format(3, ">>>IKivVolume2::RestoreDrive(%s,%s,%d) ...", path.c_str(), drive.c_str(),
                             static_cast<int>(ExecutionFlags));
    CRequestData record(REQ_RESTORE_DRIVE);
    record.m_firstStringArg = CKivString(BackupPath ? BackupPath : L"");
    record.m_secondStringArg = CKivString(DeviceDrive ? DeviceDrive : L"");
    record.m_firstIntegerArg = ExecutionFlags;
    HRESULT hr = SendLongOperation(record);
    KivServerTrace()->Format(3, "<<<IKivVolume2::RestoreDrive(%s,%s,%d) - 0x%08X", path.c_str(), drive.c_str(),
                             static_cast<int>(ExecutionFlags), static_cast<unsigned>(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone2::ListEntries(BSTR path, VARIANT_BOOL bRecursive, BSTR* entries)
{
    const std::string text = Narrow(path);
    const int recursive = bRecursive ? 1 : 0;
    KivServerTrace()->Format(3, ">>>IKivVolume2::ListEntries(%s,%d) ...", text.c_str(), recursive);
    HRESULT hr = E_POINTER;
    if (entries) {
        *entries = nullptr;
        hr = E_INVALIDARG;
        if (IsValidPath(path)) {
            CRequestData record(REQ_LIST_ENTRIES);
            record.m_firstStringArg = CKivString(path);
            record.m_firstBooleanArg = bRecursive != VARIANT_FALSE;
            record.m_OutArg[OUT_TEXT] = entries;
            hr = SendToFileWorker(record);
        }
    }
    KivServerTrace()->Format(3, "<<<IKivVolume2::ListEntries(%s, %d) - hr=0x%08X", text.c_str(), recursive,
                             static_cast<unsigned>(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone2::GetInfo(BSTR entry, BSTR* info)
{
    const std::string text = Narrow(entry);
    KivServerTrace()->Format(3, ">>>IKivVolume2::GetInfo(%s, 0x%08X) ...", text.c_str(), PointerNumber(info));
    HRESULT hr = E_POINTER;
    if (info) {
        *info = nullptr;
        CRequestData record(REQ_GET_INFO);
        record.m_firstStringArg = CKivString(entry ? entry : L"");
        record.m_OutArg[OUT_TEXT] = info;
        if (record.m_firstStringArg.empty() || ClassifyInfoPath(record.m_firstStringArg.c_str()) == INFO_DEVICE) {
            // A failed reading leaves charge and signal empty; it does not fail the call.
            CPhoneStatusReading reading;
            CRequestData status = PhoneStatusRequest(reading);
            if (SUCCEEDED(SendToWorker(KivWorkerRole::PhoneStatus, status)))
                AttachPhoneStatus(record, reading);
        }
        hr = SendToFileWorker(record);
    }
    KivServerTrace()->Format(3, "<<<IKivVolume2::GetInfo(%s, 0x%08X=%s) - hr=0x%08X", text.c_str(), PointerNumber(info),
                             info ? Narrow(*info).c_str() : "", static_cast<unsigned>(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone2::CopyToPC(BSTR source, BSTR destination, LONG ExecutionFlags)
{
    const std::string from = Narrow(source);
    const std::string to = Narrow(destination);
    KivServerTrace()->Format(3, ">>>IKivVolume2::CopyToPC(%s,%s,%d) ...", from.c_str(), to.c_str(),
                             static_cast<int>(ExecutionFlags));
    HRESULT hr = E_INVALIDARG;
    if (IsValidPath(source) && IsValidDestination(destination)) {
        CRequestData record(REQ_COPY_TO_PC);
        record.m_firstStringArg = CKivString(source);
        record.m_secondStringArg = CKivString(destination);
        record.m_firstIntegerArg = ExecutionFlags;
        hr = SendLongOperation(record);
    }
    KivServerTrace()->Format(3, "<<<IKivVolume2::CopyToPC(%s,%s) - hr=0x%08X", from.c_str(), to.c_str(),
                             static_cast<unsigned>(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone2::CopyFromPC(BSTR source, BSTR destination, LONG ExecutionFlags)
{
    const std::string from = Narrow(source);
    const std::string to = Narrow(destination);
    KivServerTrace()->Format(3, ">>>IKivVolume2::CopyFromPC(%s, %s, %d) ...", from.c_str(), to.c_str(),
                             static_cast<int>(ExecutionFlags));
    HRESULT hr = E_INVALIDARG;
    if (IsValidPath(source) && IsValidDestination(destination)) {
        CRequestData record(REQ_COPY_FROM_PC);
        record.m_firstStringArg = CKivString(source);
        record.m_secondStringArg = CKivString(destination);
        record.m_firstIntegerArg = ExecutionFlags;
        hr = SendLongOperation(record);
    }
    KivServerTrace()->Format(3, "<<<IKivVolume2::CopyFromPC(%s, %s, %d) - hr=0x%08X", from.c_str(), to.c_str(),
                             static_cast<int>(ExecutionFlags), static_cast<unsigned>(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone2::CopyInDevice(BSTR source, BSTR destination, LONG ExecutionFlags)
{
    const std::string from = Narrow(source);
    const std::string to = Narrow(destination);
    KivServerTrace()->Format(3, ">>>IKivVolume2::CopyInDevice(%s, %s, %d) ...", from.c_str(), to.c_str(),
                             static_cast<int>(ExecutionFlags));
    HRESULT hr = E_INVALIDARG;
    if (IsValidPath(source) && IsValidDestination(destination)) {
        CRequestData record(CKivExecutionFlags(ExecutionFlags).Has(eMove) ? REQ_MOVE : REQ_COPY);
        record.m_firstStringArg = CKivString(source);
        record.m_secondStringArg = CKivString(destination);
        hr = SendToFileWorker(record);
    }
    KivServerTrace()->Format(3, "<<<IKivVolume2::CopyInDevice(%s, %s, %d) - hr=0x%08X", from.c_str(), to.c_str(),
                             static_cast<int>(ExecutionFlags), static_cast<unsigned>(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone2::RemoveEntry(BSTR entry)
{
    const std::string text = Narrow(entry);
    KivServerTrace()->Format(3, ">>>IKivVolume2::RemoveEntry(%s) ...", text.c_str());
    HRESULT hr = E_INVALIDARG;
    if (IsValidPath(entry)) {
        CRequestData record(REQ_REMOVE_ENTRY);
        record.m_firstStringArg = CKivString(entry);
        hr = SendToFileWorker(record);
    }
    KivServerTrace()->Format(3, "<<<IKivVolume2::RemoveEntry(%s) - hr=0x%08X", text.c_str(), static_cast<unsigned>(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone2::CreateEntry(BSTR entry)
{
    const std::string text = Narrow(entry);
    KivServerTrace()->Format(3, ">>>IKivVolume2::CreateEntry(%s) ... ", text.c_str());
    HRESULT hr = E_INVALIDARG;
    if (IsValidDestination(entry)) {
        CRequestData record(REQ_CREATE_DIR);
        record.m_firstStringArg = CKivString(entry);
        hr = SendToFileWorker(record);
    }
    KivServerTrace()->Format(3, "<<<IKivVolume::CreateDir(%s) - hr=0x%08X ", text.c_str(), static_cast<unsigned>(hr));
    return Report(hr);
}
