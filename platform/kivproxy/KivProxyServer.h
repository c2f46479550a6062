// KivProxyServer: what the plug-ins and the scheduler create instead of Kivlink's classes.
// Each object keeps its own Kivlink objects (CKivlinkLink) and forwards IKivVolume2 and
// IKivVolume to them; ListEntries answers names relative to the listed folder. It passes
// Kivlink's IKivAllServerEvents on to its own point for them, and fires its six
// _IKivProxyServerEvents. A call that finds Kivlink gone makes the object open anew in a new
// Kivlink, so that a long-lived caller (the scheduler) outlives a Kivlink that ended.
//
// Apartment-threaded: every caller creates its own object on its own thread, and the object,
// its Kivlink objects and its sinks all live in that apartment, where Kivlink's events arrive.
#pragma once

#include "com/ComObject.h"
#include "com/ConnectionPoint.h"
#include "com/DispatchImpl.h"
#include "com/PeerGone.h"
#include "platform/kivproxy/KivlinkLink.h"
#include "platform/kivproxy/PendingOperations.h"

#include "KivProxyLib.h"
#include "KivlinkLib.h"

namespace kivproxy {

inline constexpr tolv::com::TypeLibrary kProxyLibrary{&LIBID_KivProxyLib, 1, 0};
inline constexpr tolv::com::TypeLibrary kKivlinkLibrary{&LIBID_KivlinkLib, 1, 0};

class CKivProxyServer : public tolv::com::DispatchImpl<IKivProxyServer, kProxyLibrary>,
                        public tolv::com::DispatchImpl<IKivVolume2, kKivlinkLibrary>,
                        public tolv::com::DispatchImpl<IKivVolume, kKivlinkLibrary>,
                        public ISupportErrorInfo,
                        public tolv::com::ConnectionPointContainer,
                        private IKivlinkEventTarget {
public:
    using interface_map =
        tolv::com::interface_map<IKivProxyServer, tolv::com::entry_via<IDispatch, IKivProxyServer>, IKivVolume2,
                                 IKivVolume, ISupportErrorInfo, IConnectionPointContainer>;

    CKivProxyServer();
    HRESULT FinalConstruct();
    void FinalRelease();

    // IKivProxyServer
    HRESULT STDMETHODCALLTYPE GetPhoneName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetDeviceName(BSTR* name) override;

    // ISupportErrorInfo: Kivlink's error objects reach the caller through the forwarded calls.
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

    // IKivVolume2
    HRESULT STDMETHODCALLTYPE ListDevices(BSTR* devices) override;
    HRESULT STDMETHODCALLTYPE SelectDevice(BSTR DeviceName) override;
    HRESULT STDMETHODCALLTYPE ListDrives(BSTR* drives) override;
    HRESULT STDMETHODCALLTYPE FormatDrive(BSTR driveName, LONG ExecutionFlags) override;
    HRESULT STDMETHODCALLTYPE BackupDrive(BSTR BackupPath, BSTR DeviceDrive, LONG ExecutionFlags) override;
    HRESULT STDMETHODCALLTYPE RestoreDrive(BSTR BackupPath, BSTR DeviceDrive, LONG ExecutionFlags) override;
    HRESULT STDMETHODCALLTYPE ListEntries(BSTR path, VARIANT_BOOL bRecursive, BSTR* entries) override;
    HRESULT STDMETHODCALLTYPE GetInfo(BSTR entry, BSTR* info) override;
    HRESULT STDMETHODCALLTYPE CopyToPC(BSTR source, BSTR destination, LONG ExecutionFlags) override;
    HRESULT STDMETHODCALLTYPE CopyFromPC(BSTR source, BSTR destination, LONG ExecutionFlags) override;
    HRESULT STDMETHODCALLTYPE CopyInDevice(BSTR source, BSTR destination, LONG ExecutionFlags) override;
    HRESULT STDMETHODCALLTYPE RemoveEntry(BSTR entry) override;
    HRESULT STDMETHODCALLTYPE CreateEntry(BSTR entry) override;

    // IKivVolume
    HRESULT STDMETHODCALLTYPE AddChangeNotification(BSTR path, IUnknown* sink, LONG* token) override;
    HRESULT STDMETHODCALLTYPE BroadcastChangeNotification(BSTR path) override;
    HRESULT STDMETHODCALLTYPE Copy(BSTR existingpath, BSTR newpath) override;
    HRESULT STDMETHODCALLTYPE CreateDir(BSTR path) override;
    HRESULT STDMETHODCALLTYPE CreateStdDirs() override;
    HRESULT STDMETHODCALLTYPE Delete(BSTR path) override;
    HRESULT STDMETHODCALLTYPE Format() override;
    HRESULT STDMETHODCALLTYPE GetCapacity(LONG* total, LONG* free) override;
    HRESULT STDMETHODCALLTYPE GetEntries(BSTR path, VARIANT_BOOL limittodirectories, VARIANT* entries) override;
    HRESULT STDMETHODCALLTYPE GetFile(BSTR path, IUnknown** content) override;
    HRESULT STDMETHODCALLTYPE GetLabel(BSTR* label) override;
    HRESULT STDMETHODCALLTYPE HasSubDirs(BSTR path, VARIANT_BOOL* subdirs) override;
    HRESULT STDMETHODCALLTYPE Move(BSTR existingpath, BSTR newpath) override;
    HRESULT STDMETHODCALLTYPE MoveDir(BSTR existingpath, BSTR newpath) override;
    HRESULT STDMETHODCALLTYPE PutFile(BSTR path, IUnknown* content, LONG attributes) override;
    HRESULT STDMETHODCALLTYPE RemoveChangeNotification(LONG token) override;
    HRESULT STDMETHODCALLTYPE RemoveDir(BSTR path) override;
    HRESULT STDMETHODCALLTYPE SetAttributes(BSTR path, LONG attributes) override;
    HRESULT STDMETHODCALLTYPE SetLabel(BSTR label) override;
    HRESULT STDMETHODCALLTYPE SetTime(BSTR path, DATE creationtime, DATE lastaccesstime, DATE lastwritetime) override;
    HRESULT STDMETHODCALLTYPE GetSlotNames(SlotTypeConstants slottype, VARIANT* slotnames) override;
    HRESULT STDMETHODCALLTYPE SelectPort(BSTR bstrPort) override;
    HRESULT STDMETHODCALLTYPE FormatEx(BSTR szDrive) override;
    HRESULT STDMETHODCALLTYPE GetCapacityEx(BSTR szDrive, LONG* total, LONG* free) override;
    HRESULT STDMETHODCALLTYPE CreateStdDirsEx(BSTR szDriver) override;

private:
    // Calls `call(Interface*)` on this object's Kivlink object. A call that finds Kivlink gone
    // opens anew in a new Kivlink (events 4 and 5); it is made again there only when it cannot
    // have reached the old Kivlink, else its failure is the answer (a copy is not repeated
    // behind the caller's back).
    template <class Interface, class Call>
    HRESULT Forward(const wchar_t* callName, Call&& call) noexcept
    {
        try {
            tolv::com::com_ptr<Interface> target;
            RETURN_IF_FAILED(m_link.Get(target));
            NoteKivlinkBack();
            const HRESULT hr = call(target.get());
            if (!tolv::com::IsPeerGone(hr)) {
                return hr;
            }
            if (FAILED(RecoverFromLostKivlink(hr, callName)) || !NeverReachedPeer(hr)) {
                return hr;
            }
            RETURN_IF_FAILED(m_link.Get(target));
            NoteKivlinkBack();
            return call(target.get());
        } catch (...) {
            return E_UNEXPECTED;
        }
    }
    // A long operation: events 2 and 3 around it; an unblocked one ends with Kivlink's
    // completion event.
    template <class Call>
    HRESULT ForwardLongOperation(const wchar_t* callName, LongOperation operation, LONG flags, Call&& call) noexcept;

    static bool NeverReachedPeer(HRESULT hr) noexcept;
    HRESULT RecoverFromLostKivlink(HRESULT failure, const wchar_t* callName) noexcept;
    // Event 5, once after a loss, as soon as the object has Kivlink objects again (at once, or
    // at a later call when no new Kivlink could be reached then).
    void NoteKivlinkBack() noexcept;

    void OnKivlinkEvent(DISPID id, DISPPARAMS& params) noexcept override;
    void FirePhoneConnected(DISPPARAMS& params) noexcept;
    void FireOperationEnded(const LongOperation& operation, HRESULT result) noexcept;
    void FireWithoutArguments(DISPID id) noexcept;

    tolv::com::ConnectionPoint& m_allServerEvents;
    tolv::com::ConnectionPoint& m_proxyEvents;
    CKivlinkLink m_link;
    CPendingOperations m_pending;
    bool m_kivlinkLost = false;
};

}  // namespace kivproxy
