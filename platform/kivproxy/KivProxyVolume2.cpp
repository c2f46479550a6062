// IKivVolume2 of the proxy: Kivlink's answers, with ListEntries' names made relative to the
// listed folder and the long operations told as events 2 and 3.
#include "platform/kivproxy/KivProxyServer.h"

#include "com/DispatchArguments.h"
#include "com/UniqueBstr.h"
#include "platform/kivproxy/EventIds.h"
#include "platform/kivproxy/RelativeEntryList.h"
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("KivProxyVolume2");

namespace kivproxy {

namespace {

std::wstring TextOf(BSTR text)
{
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

}  // namespace

template <class Call>
HRESULT CKivProxyServer::ForwardLongOperation(const wchar_t* callName, LongOperation operation, LONG flags,
                                              Call&& call) noexcept
{
    {
        tolv::com::DispatchArguments arguments;
        arguments.add_long(operation.action);
        arguments.add_string(operation.path.c_str());
        m_proxyEvents.FireDispatch(kOperationStarted, arguments);
    }
    const bool blocked = (flags & eBlocked) != 0;
    try {
        // Before the call: the completion of an unblocked operation may arrive while it returns.
        if (!blocked) {
            m_pending.Add(operation);
        }
        const HRESULT hr = Forward<IKivVolume2>(callName, call);
        if (blocked || FAILED(hr)) {
            m_pending.Take(operation.action, operation.path);
            FireOperationEnded(operation, hr);
        }
        return hr;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CKivProxyServer::ListDevices(BSTR* devices)
{
    return Forward<IKivVolume2>(L"ListDevices", [&](IKivVolume2* volume) { return volume->ListDevices(devices); });
}

HRESULT CKivProxyServer::SelectDevice(BSTR DeviceName)
{
    return Forward<IKivVolume2>(L"SelectDevice", [&](IKivVolume2* volume) { return volume->SelectDevice(DeviceName); });
}

HRESULT CKivProxyServer::ListDrives(BSTR* drives)
{
    return Forward<IKivVolume2>(L"ListDrives", [&](IKivVolume2* volume) { return volume->ListDrives(drives); });
}

HRESULT CKivProxyServer::FormatDrive(BSTR driveName, LONG ExecutionFlags)
{
    return ForwardLongOperation(L"FormatDrive", LongOperation{aidFormat, TextOf(driveName), L""}, ExecutionFlags,
                                [&](IKivVolume2* volume) { return volume->FormatDrive(driveName, ExecutionFlags); });
}

HRESULT CKivProxyServer::BackupDrive(BSTR BackupPath, BSTR DeviceDrive, LONG ExecutionFlags)
{
    return ForwardLongOperation(
        L"BackupDrive", LongOperation{aidBackup, TextOf(DeviceDrive), TextOf(BackupPath)}, ExecutionFlags,
        [&](IKivVolume2* volume) { return volume->BackupDrive(BackupPath, DeviceDrive, ExecutionFlags); });
}

HRESULT CKivProxyServer::RestoreDrive(BSTR BackupPath, BSTR DeviceDrive, LONG ExecutionFlags)
{
    return ForwardLongOperation(
        L"RestoreDrive", LongOperation{aidRestore, TextOf(DeviceDrive), TextOf(BackupPath)}, ExecutionFlags,
        [&](IKivVolume2* volume) { return volume->RestoreDrive(BackupPath, DeviceDrive, ExecutionFlags); });
}

HRESULT CKivProxyServer::ListEntries(BSTR path, VARIANT_BOOL bRecursive, BSTR* entries)
{
    RETURN_HR_IF_NULL(E_POINTER, entries);
    *entries = nullptr;
    tolv::com::unique_bstr fullPaths;
    TOLV_RETURN_IF_FAILED(Forward<IKivVolume2>(
        L"ListEntries", [&](IKivVolume2* volume) { return volume->ListEntries(path, bRecursive, fullPaths.put()); }));
    try {
        const std::wstring relative = RelativeEntryList(TextOf(path), TextOf(fullPaths.get()));
        tolv::com::unique_bstr answer(relative.c_str(), static_cast<UINT>(relative.size()));
        RETURN_HR_IF_NULL(E_OUTOFMEMORY, answer.get());
        *entries = answer.release();
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CKivProxyServer::GetInfo(BSTR entry, BSTR* info)
{
    return Forward<IKivVolume2>(L"GetInfo", [&](IKivVolume2* volume) { return volume->GetInfo(entry, info); });
}

HRESULT CKivProxyServer::CopyToPC(BSTR source, BSTR destination, LONG ExecutionFlags)
{
    return ForwardLongOperation(
        L"CopyToPC", LongOperation{aidCopyToPC, TextOf(source), TextOf(destination)}, ExecutionFlags,
        [&](IKivVolume2* volume) { return volume->CopyToPC(source, destination, ExecutionFlags); });
}

HRESULT CKivProxyServer::CopyFromPC(BSTR source, BSTR destination, LONG ExecutionFlags)
{
    return ForwardLongOperation(
        L"CopyFromPC", LongOperation{aidCopyFromPC, TextOf(source), TextOf(destination)}, ExecutionFlags,
        [&](IKivVolume2* volume) { return volume->CopyFromPC(source, destination, ExecutionFlags); });
}

HRESULT CKivProxyServer::CopyInDevice(BSTR source, BSTR destination, LONG ExecutionFlags)
{
    return Forward<IKivVolume2>(L"CopyInDevice", [&](IKivVolume2* volume) {
        return volume->CopyInDevice(source, destination, ExecutionFlags);
    });
}

HRESULT CKivProxyServer::RemoveEntry(BSTR entry)
{
    return Forward<IKivVolume2>(L"RemoveEntry", [&](IKivVolume2* volume) { return volume->RemoveEntry(entry); });
}

HRESULT CKivProxyServer::CreateEntry(BSTR entry)
{
    return Forward<IKivVolume2>(L"CreateEntry", [&](IKivVolume2* volume) { return volume->CreateEntry(entry); });
}

}  // namespace kivproxy
