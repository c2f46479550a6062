#include "KivlinkMobilePhone.h"

#include "KivErrorReporter.h"
#include "KivServerTrace.h"
#include "ui/MessageBoxSeam.h"
#include "WorkerRequests.h"

#include "core/RequestData.h"
#include "paths/PhonePathNormalizer.h"
#include "streams/CreateKivFileStream.h"
#include "trace/TolvTrace.h"

#include "com/ComPtr.h"
#include "com/UniqueBstr.h"
#include "trace/TraceResult.h"

#include <cstdio>
#include <string>

namespace {

constexpr wchar_t kOldShellExtensionWarning[] =
    L"Detected use of an old version of Kiv SNE (KivShellExt.dll), please re-install your PLR software";
constexpr wchar_t kPhoneMemoryDrive[] = L"C:";
constexpr wchar_t kPhoneMemoryRoot[] = L"C:\\";
constexpr bool kTrailingBackslash = true;

std::string Narrow(BSTR text)
{
    return CKivString(text ? text : L"").Narrow();
}

unsigned Hex(HRESULT hr)
{
    return static_cast<unsigned>(hr);
}

unsigned PointerNumber(const void* pointer)
{
    return static_cast<unsigned>(reinterpret_cast<UINT_PTR>(pointer));
}

// A path of the retired shell extension is refused with a box that names it; the user must
// reinstall, and nothing reaches a worker.
HRESULT Normalize(BSTR path, bool trailingBackslash, CKivString& normalized)
{
    const std::wstring_view text = path ? std::wstring_view(path, SysStringLen(path)) : std::wstring_view();
    HRESULT hr = NormalizePhonePath(text, trailingBackslash, normalized);
    if (hr == E_UNEXPECTED)
        tolv::ui::ShowMessageBox(nullptr, kOldShellExtensionWarning, std::wstring(text).c_str(), MB_OK);
    return hr;
}

HRESULT SendOnePath(long type, BSTR path, bool trailingBackslash)
{
    CRequestData record(type);
    HRESULT hr = Normalize(path, trailingBackslash, record.m_firstStringArg);
    if (FAILED(hr))
        return hr;
    return SendToWorker(KivWorkerRole::File, record);
}

HRESULT SendTwoPaths(long type, BSTR first, BSTR second)
{
    CRequestData record(type);
    HRESULT hr = Normalize(first, false, record.m_firstStringArg);
    if (SUCCEEDED(hr))
        hr = Normalize(second, false, record.m_secondStringArg);
    if (FAILED(hr))
        return hr;
    return SendToWorker(KivWorkerRole::File, record);
}

HRESULT GetSpace(const CKivString& drive, LONG* total, LONG* free)
{
    if (!total || !free)
        return E_POINTER;
    CRequestData record(REQ_GET_VOLUME_INFO);
    record.m_firstStringArg = drive;
    record.m_OutArg[OUT_FIRST_LONG] = total;
    record.m_OutArg[OUT_SECOND_LONG] = free;
    return SendToWorker(KivWorkerRole::File, record);
}

// A worker that never came to the stream (no phone) left its marshal data unread; unread data
// holds a reference on the client's stream until it is released.
void ReleaseUnusedMarshalData(IStream* marshalled)
{
    LARGE_INTEGER start = {};
    ULARGE_INTEGER position = {};
    if (SUCCEEDED(marshalled->Seek(start, STREAM_SEEK_CUR, &position)) && position.QuadPart == 0)
        CoReleaseMarshalData(marshalled);
}

HRESULT CreateStandardFolders()
{
    CRequestData record(REQ_CREATE_STD_DIRS);
    return SendToWorker(KivWorkerRole::File, record);
}

}  // namespace

HRESULT CKivlinkMobilePhone::Report(HRESULT hr)
{
    return ReportKivResult(hr, CLSID_KivMobilePhone, IID_IKivVolume);
}

HRESULT CKivlinkMobilePhone::AddChangeNotification(BSTR path, IUnknown* sink, LONG* token)
{
    const std::string text = Narrow(path);
    KivServerTrace()->Format(3, ">>>IKivVolume::AddChangeNotification(%s, 0x%08X, 0x%08X) ...", text.c_str(),
                             PointerNumber(sink), PointerNumber(token));
    HRESULT hr = E_POINTER;
    if (sink && token) {
        CRequestData record(REQ_ADD_CHANGE_NOTIFICATION);
        record.m_firstStringArg = CKivString(path ? path : L"");
        // The caller's reference lasts for the wait; the registration takes its own.
        record.m_firstInterfaceArg = sink;
        record.m_OutArg[OUT_FIRST_LONG] = token;
        hr = SendToWorker(KivWorkerRole::ChangeNotification, record);
    }
    KivServerTrace()->Format(3, "<<<IKivVolume::AddChangeNotification(%s, 0x%08X, 0x%08X=%d) - hr=0x%08X ",
                             text.c_str(), PointerNumber(sink), PointerNumber(token),
                             token ? static_cast<int>(*token) : 0, Hex(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone::BroadcastChangeNotification(BSTR path)
{
    const std::string text = Narrow(path);
    KivServerTrace()->Format(3, ">>>IKivVolume::BroadcastChangeNotification(%s) ...", text.c_str());
    CRequestData record(REQ_BROADCAST_CHANGE_NOTIFICATION);
    record.m_firstStringArg = CKivString(path ? path : L"");
    HRESULT hr = SendToWorker(KivWorkerRole::ChangeNotification, record);
    KivServerTrace()->Format(3, "<<<IKivVolume::BroadcastChangeNotification(%s) - hr=0x%08X ", text.c_str(), Hex(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone::RemoveChangeNotification(LONG token)
{
    KivServerTrace()->Format(3, ">>>IKivVolume::RemoveChangeNotifications(%d) ...", static_cast<int>(token));
    CRequestData record(REQ_REMOVE_CHANGE_NOTIFICATION);
    record.m_firstIntegerArg = token;
    HRESULT hr = SendToWorker(KivWorkerRole::ChangeNotification, record);
    KivServerTrace()->Format(3, "<<<IKivVolume::RemoveChangeNotifications(%d) - hr=0x%08X", static_cast<int>(token),
                             Hex(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone::Copy(BSTR existingpath, BSTR newpath)
{
    const std::string from = Narrow(existingpath);
    const std::string to = Narrow(newpath);
    KivServerTrace()->Format(3, ">>>IKivVolume::Copy(%s, %s) ...", from.c_str(), to.c_str());
    HRESULT hr = SendTwoPaths(REQ_COPY, existingpath, newpath);
    KivServerTrace()->Format(3, "<<<IKivVolume::Copy(%s, %s) - hr=0x%08X", from.c_str(), to.c_str(), Hex(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone::CreateDir(BSTR path)
{
    const std::string text = Narrow(path);
    KivServerTrace()->Format(3, ">>>IKivVolume::CreateDir(%s) ...", text.c_str());
    HRESULT hr = SendOnePath(REQ_CREATE_DIR, path, kTrailingBackslash);
    KivServerTrace()->Format(3, "<<<IKivVolume::CreateDir(%s) - hr=0x%08X", text.c_str(), Hex(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone::CreateStdDirs()
{
    KivServerTrace()->Format(3, ">>>IKivVolume::CreateStdDirs() ...");
    HRESULT hr = CreateStandardFolders();
    KivServerTrace()->Format(3, "<<<IKivVolume::CreateStdDirs() - hr=0x%08X", Hex(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone::CreateStdDirsEx(BSTR szDriver)
{
    KivServerTrace()->Format(3, ">>>IKivVolume::CreateStdDirsEx(%s) ...", Narrow(szDriver).c_str());
    HRESULT hr = CreateStandardFolders();
    KivServerTrace()->Format(3, "<<<IKivVolume::CreateStdDirsEx 0x%08X...", Hex(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone::Delete(BSTR path)
{
    const std::string text = Narrow(path);
    KivServerTrace()->Format(3, ">>>IKivVolume::Delete(%s) ...", text.c_str());
    HRESULT hr = SendOnePath(REQ_DELETE, path, false);
    KivServerTrace()->Format(3, "<<<IKivVolume::Delete(%s) - 0x%08X ", text.c_str(), Hex(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone::Format()
{
    KivServerTrace()->Format(3, ">>>IKivVolume::Format() ...");
    KivServerTrace()->Format(3, "<<<IKivVolume::Format 0x%08X...", Hex(E_NOTIMPL));
    return Report(E_NOTIMPL);
}

HRESULT CKivlinkMobilePhone::FormatEx(BSTR szDrive)
{
    const std::string text = Narrow(szDrive);
    KivServerTrace()->Format(3, ">>>IKivVolume::FormatEx(%s) ...", text.c_str());
    CRequestData record(REQ_FORMAT);
    HRESULT hr = Normalize(szDrive, false, record.m_firstStringArg);
    if (SUCCEEDED(hr)) {
        // Always blocked: the one-volume interface has no completion event to tell the end.
        record.m_firstIntegerArg = eBlocked;
        hr = SendToWorker(KivWorkerRole::File, record);
    }
    KivServerTrace()->Format(3, "<<<IKivVolume::Format 0x%08X...", Hex(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone::GetCapacity(LONG* total, LONG* free)
{
    KivServerTrace()->Format(3, ">>>IKivVolume::GetCapacity(0x%08X, 0x%08X) ...", PointerNumber(total),
                             PointerNumber(free));
    HRESULT hr = GetSpace(CKivString(kPhoneMemoryRoot), total, free);
    KivServerTrace()->Format(3, "<<<IKivVolume::GetCapacity(%d, %d) - hr=0x%08X", total ? static_cast<int>(*total) : 0,
                             free ? static_cast<int>(*free) : 0, Hex(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone::GetCapacityEx(BSTR szDrive, LONG* total, LONG* free)
{
    KivServerTrace()->Format(3, ">>>IKivVolume::GetCapacityEx(%s) ...", Narrow(szDrive).c_str());
    CKivString drive;
    HRESULT hr = Normalize(szDrive, kTrailingBackslash, drive);
    if (SUCCEEDED(hr))
        hr = GetSpace(drive, total, free);
    KivServerTrace()->Format(3, "<<<IKivVolume::GetCapacityEx 0x%08X...", Hex(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone::GetEntries(BSTR path, VARIANT_BOOL limittodirectories, VARIANT* entries)
{
    const std::string text = Narrow(path);
    const int foldersOnly = limittodirectories ? 1 : 0;
    KivServerTrace()->Format(3, ">>>IKivVolume::GetEntries(%s, %d) ...", text.c_str(), foldersOnly);
    HRESULT hr = E_POINTER;
    if (entries) {
        CRequestData record(REQ_GET_ENTRIES);
        hr = Normalize(path, false, record.m_firstStringArg);
        if (SUCCEEDED(hr)) {
            record.m_firstBooleanArg = limittodirectories != VARIANT_FALSE;
            record.m_OutArg[OUT_VARIANT] = entries;
            hr = SendToWorker(KivWorkerRole::Listing, record);
        }
    }
    KivServerTrace()->Format(3, "<<<IKivVolume::GetEntries(%s, %d) - hr=0x%08X", text.c_str(), foldersOnly, Hex(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone::GetFile(BSTR path, IUnknown** content)
{
    const std::string text = Narrow(path);
    KivServerTrace()->Format(3, ">>>IKivVolume::GetFile(%s, 0x%08X) ...", text.c_str(), PointerNumber(content));
    HRESULT hr = E_POINTER;
    if (content) {
        *content = nullptr;
        CRequestData record(REQ_GET_FILE);
        hr = Normalize(path, false, record.m_firstStringArg);
        tolv::com::unique_bstr tempFile;
        if (SUCCEEDED(hr)) {
            record.m_OutArg[OUT_TEXT] = tempFile.put();
            hr = SendToWorker(KivWorkerRole::File, record);
        }
        // The whole content is on the PC now; the stream only reads it.
        tolv::com::com_ptr<IStream> stream;
        if (SUCCEEDED(hr))
            hr = CreateKivFileStream(CKivString(tempFile.c_str()), stream.put());
        if (SUCCEEDED(hr)) {
            KivServerTrace()->Format(3, "Stream initialize");
            hr = stream->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(content));
            // Written in the long operations' form, with two spaces.
            if (FAILED(hr))
                tolv::trace::Failure(hr, tolv::trace::site{"CKivlinkMobilePhone", __LINE__, 1, true}, KivServerTrace());
        }
    }
    KivServerTrace()->Format(3, "<<<IKivVolume::GetFile(%s, 0x%08X) - hr=0x%08X", text.c_str(), PointerNumber(content),
                             Hex(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone::PutFile(BSTR path, IUnknown* content, LONG attributes)
{
    const std::string text = Narrow(path);
    KivServerTrace()->Format(3, ">>>IKivVolume::PutFile(%s, 0x%08X, 0x%08X) ...", text.c_str(), PointerNumber(content),
                             static_cast<unsigned>(attributes));
    CRequestData record(REQ_PUT_FILE);
    HRESULT hr = Normalize(path, false, record.m_firstStringArg);
    tolv::com::com_ptr<IStream> marshalled;
    if (SUCCEEDED(hr))
        hr = content ? S_OK : E_NOINTERFACE;
    if (SUCCEEDED(hr)) {
        tolv::com::com_ptr<IStream> stream;
        hr = content->QueryInterface(IID_IStream, stream.put_void());
        // The worker unmarshals its own proxy: the caller's pointer belongs to this thread's call.
        if (SUCCEEDED(hr))
            hr = CoMarshalInterThreadInterfaceInStream(IID_IStream, stream.get(), marshalled.put());
    }
    if (SUCCEEDED(hr)) {
        record.m_firstInterfaceArg = marshalled.get();
        record.m_firstIntegerArg = attributes;
        hr = SendToWorker(KivWorkerRole::File, record);
        ReleaseUnusedMarshalData(marshalled.get());
    }
    KivServerTrace()->Format(3, "<<<IKivVolume::PutFile(%s, 0x%08X, 0x%08X) - hr=0x%08X", text.c_str(),
                             PointerNumber(content), static_cast<unsigned>(attributes), Hex(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone::GetLabel(BSTR* label)
{
    KivServerTrace()->Format(3, ">>>IKivVolume::GetLabel(0x%08X) ...", PointerNumber(label));
    HRESULT hr = E_POINTER;
    if (label) {
        *label = nullptr;
        CRequestData record(REQ_GET_LABEL);
        record.m_firstStringArg = CKivString(kPhoneMemoryDrive);
        record.m_OutArg[OUT_TEXT] = label;
        hr = SendToWorker(KivWorkerRole::File, record);
    }
    KivServerTrace()->Format(3, "<<<IKivVolume::GetLabel(%s) - hr=0x%08X", label ? Narrow(*label).c_str() : "",
                             Hex(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone::SetLabel(BSTR label)
{
    const std::string text = Narrow(label);
    KivServerTrace()->Format(3, ">>>IKivVolume::SetLabel(%s) ...", text.c_str());
    CRequestData record(REQ_SET_LABEL);
    record.m_firstStringArg = CKivString(kPhoneMemoryDrive);
    record.m_secondStringArg = CKivString(label ? label : L"");
    HRESULT hr = SendToWorker(KivWorkerRole::File, record);
    KivServerTrace()->Format(3, "<<<IKivVolume::SetLabel(%s) - hr=0x%08X", text.c_str(), Hex(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone::HasSubDirs(BSTR path, VARIANT_BOOL* subdirs)
{
    const std::string text = Narrow(path);
    KivServerTrace()->Format(3, ">>>HasSubDirs(%s, 0x%08X) ...", text.c_str(), PointerNumber(subdirs));
    HRESULT hr = E_POINTER;
    if (subdirs) {
        *subdirs = 0;
        CRequestData record(REQ_HAS_SUBDIRS);
        hr = Normalize(path, false, record.m_firstStringArg);
        if (SUCCEEDED(hr)) {
            record.m_OutArg[OUT_BOOL] = subdirs;
            hr = SendToWorker(KivWorkerRole::File, record);
        }
    }
    KivServerTrace()->Format(3, "<<<HasSubDirs(%s, 0x%08X=%d) - hr=0x%08X", text.c_str(), PointerNumber(subdirs),
                             subdirs ? static_cast<int>(*subdirs) : 0, Hex(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone::Move(BSTR existingpath, BSTR newpath)
{
    const std::string from = Narrow(existingpath);
    const std::string to = Narrow(newpath);
    KivServerTrace()->Format(3, ">>>IKivVolume::Move(%s, %s) ...", from.c_str(), to.c_str());
    HRESULT hr = SendTwoPaths(REQ_MOVE, existingpath, newpath);
    KivServerTrace()->Format(3, "<<<IKivVolume::Move(%s, %s) - hr=0x%08X", from.c_str(), to.c_str(), Hex(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone::MoveDir(BSTR existingpath, BSTR newpath)
{
    const std::string from = Narrow(existingpath);
    const std::string to = Narrow(newpath);
    KivServerTrace()->Format(3, ">>>IKivVolume::MoveDir(%s, %s) ...", from.c_str(), to.c_str());
    HRESULT hr = SendTwoPaths(REQ_MOVE_DIR, existingpath, newpath);
    KivServerTrace()->Format(3, "<<<IKivVolume::MoveDir(%s, %s) - hr=0x%08X", from.c_str(), to.c_str(), Hex(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone::RemoveDir(BSTR path)
{
    const std::string text = Narrow(path);
    KivServerTrace()->Format(3, ">>>IKivVolume::RemoveDir(%s) ...", text.c_str());
    HRESULT hr = SendOnePath(REQ_REMOVE_DIR, path, kTrailingBackslash);
    KivServerTrace()->Format(3, "<<<IKivVolume::RemoveDir(%s) - hr=0x%08X", text.c_str(), Hex(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone::SetAttributes(BSTR path, LONG attributes)
{
    const std::string text = Narrow(path);
    KivServerTrace()->Format(3, ">>>IKivVolume::SetAttributes(%s, 0x%08X) ...", text.c_str(),
                             static_cast<unsigned>(attributes));
    CRequestData record(REQ_SET_ATTRIBUTES);
    HRESULT hr = Normalize(path, false, record.m_firstStringArg);
    if (SUCCEEDED(hr)) {
        record.m_firstIntegerArg = attributes;
        hr = SendToWorker(KivWorkerRole::File, record);
    }
    KivServerTrace()->Format(3, "<<<IKivVolume::SetAttributes(%s, 0x%08X) - hr=0x%08X", text.c_str(),
                             static_cast<unsigned>(attributes), Hex(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone::SetTime(BSTR path, DATE creationtime, DATE lastaccesstime, DATE lastwritetime)
{
    const std::string text = Narrow(path);
    std::string dates;
    for (DATE date : {creationtime, lastaccesstime, lastwritetime}) {
        SYSTEMTIME time = {};
        VariantTimeToSystemTime(date, &time);
        char part[32];
        std::snprintf(part, sizeof(part), "%02hu/%02hu/%04hu %02hu:%02hu:%02hu", time.wDay, time.wMonth, time.wYear,
                      time.wHour, time.wMinute, time.wSecond);
        dates += dates.empty() ? part : std::string(", ") + part;
    }
    KivServerTrace()->Format(3, ">>>IKivVolume::SetTime(%s, %s) ...", text.c_str(), dates.c_str());
    HRESULT hr = SendOnePath(REQ_SET_TIME, path, false);
    KivServerTrace()->Format(3, "<<<IKivVolume::SetTime(%s, %s) - hr=0x%08X", text.c_str(), dates.c_str(), Hex(hr));
    return Report(hr);
}

HRESULT CKivlinkMobilePhone::GetSlotNames(SlotTypeConstants, VARIANT*)
{
    KivServerTrace()->Format(3, "IKivVolume::GetSlotNames() - not implemented");
    return Report(E_NOTIMPL);
}

HRESULT CKivlinkMobilePhone::SelectPort(BSTR bstrPort)
{
    const std::string text = Narrow(bstrPort);
    KivServerTrace()->Format(3, ">>>IKivVolume::SelectPort(%s) ...", text.c_str());
    HRESULT hr = E_INVALIDARG;
    if (!bstrPort || SysStringLen(bstrPort) == 0) {
        KivServerTrace()->Format(3, "E_STATE: argument is a NUL string");
    } else {
        CRequestData record(REQ_SELECT_PORT);
        record.m_firstStringArg = CKivString(bstrPort);
        hr = SendToWorker(KivWorkerRole::File, record);
    }
    KivServerTrace()->Format(3, "<<<IKivVolume::SelectPort(%s) - 0x%08X", text.c_str(), Hex(hr));
    return Report(hr);
}
