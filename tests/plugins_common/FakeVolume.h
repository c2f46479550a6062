#pragma once
// A phone server behind IKivVolume2 and IKivVolume in this process, answering from a few
// scripted values, so that the plug-ins' client is tested without a server: what a listing,
// a description or a removal answers, and which calls arrived.
#include "com/ComObject.h"
#include "com/ConnectionPoint.h"

#include "KivlinkLib.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

struct FakePhoneState {
    std::wstring devices = L"354812013456789,";
    std::wstring drives = L"C:,E:,";
    // Folder -> ListEntries answer; a folder not here answers KIV_E_FOLDERNOTFOUND.
    std::map<std::wstring, std::wstring> listings;
    // Path -> GetInfo answer; failures queued per path come first.
    std::map<std::wstring, std::wstring> infos;
    std::map<std::wstring, std::deque<HRESULT>> infoFailures;
    // The phone's files by full path, with their read-only flag. RemoveEntry takes a file or
    // "folder\*.ext" (letter case as given) and keeps read-only files.
    std::map<std::wstring, bool> files;
    HRESULT removeFailure = S_OK;  // answered by every RemoveEntry when set
    std::vector<std::wstring> calls;  // "RemoveEntry C:\a.mp3", "CopyFromPC a b 3", ...
};

// Also the source of IKivAllServerEvents, which a test fires.
class CFakeVolume2 : public IKivVolume2, public tolv::com::ConnectionPointContainer {
public:
    using interface_map =
        tolv::com::interface_map<IKivVolume2, tolv::com::entry_via<IDispatch, IKivVolume2>, IConnectionPointContainer>;
    explicit CFakeVolume2(FakePhoneState& state)
        : m_state(state),
          m_events(AddConnectionPoint(DIID_IKivAllServerEvents))
    {
    }
    const tolv::com::ConnectionPoint& Events() const { return m_events; }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ListDevices(BSTR* devices) override;
    HRESULT STDMETHODCALLTYPE SelectDevice(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ListDrives(BSTR* drives) override;
    HRESULT STDMETHODCALLTYPE FormatDrive(BSTR, long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE BackupDrive(BSTR, BSTR, long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RestoreDrive(BSTR, BSTR, long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ListEntries(BSTR path, VARIANT_BOOL recursive, BSTR* entries) override;
    HRESULT STDMETHODCALLTYPE GetInfo(BSTR entry, BSTR* info) override;
    HRESULT STDMETHODCALLTYPE CopyToPC(BSTR source, BSTR destination, long flags) override;
    HRESULT STDMETHODCALLTYPE CopyFromPC(BSTR source, BSTR destination, long flags) override;
    HRESULT STDMETHODCALLTYPE CopyInDevice(BSTR, BSTR, long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RemoveEntry(BSTR entry) override;
    HRESULT STDMETHODCALLTYPE CreateEntry(BSTR) override { return E_NOTIMPL; }

private:
    FakePhoneState& m_state;
    tolv::com::ConnectionPoint& m_events;
};

// Only SetAttributes means anything: it clears a file's read-only flag when the bit is gone.
class CFakeOneVolume : public IKivVolume {
public:
    using interface_map = tolv::com::interface_map<IKivVolume, tolv::com::entry_via<IDispatch, IKivVolume>>;
    explicit CFakeOneVolume(FakePhoneState& state) : m_state(state) {}

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE AddChangeNotification(BSTR, IUnknown*, long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE BroadcastChangeNotification(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Copy(BSTR, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateDir(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateStdDirs() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Delete(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Format() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCapacity(long*, long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetEntries(BSTR, VARIANT_BOOL, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetFile(BSTR, IUnknown**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetLabel(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE HasSubDirs(BSTR, VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Move(BSTR, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE MoveDir(BSTR, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE PutFile(BSTR, IUnknown*, long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RemoveChangeNotification(long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RemoveDir(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetAttributes(BSTR path, long attributes) override;
    HRESULT STDMETHODCALLTYPE SetLabel(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetTime(BSTR, DATE, DATE, DATE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSlotNames(SlotTypeConstants, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SelectPort(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FormatEx(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCapacityEx(BSTR, long*, long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateStdDirsEx(BSTR) override { return E_NOTIMPL; }

private:
    FakePhoneState& m_state;
};

using FakeVolume2 = tolv::com::ComObject<CFakeVolume2>;
tolv::com::com_ptr<FakeVolume2> MakeFakeVolume2(FakePhoneState& state);
tolv::com::com_ptr<IKivVolume> MakeFakeOneVolume(FakePhoneState& state);
// A fresh fake's file interface.
tolv::com::com_ptr<IKivVolume2> MakeFakeVolume2Interface(FakePhoneState& state);
