#pragma once
// KivMobilePhone: the older one-volume file interface.
#include "KivlinkTypeLibrary.h"

#include "com/ErrorInfo.h"

class CKivlinkMobilePhone : public tolv::com::DispatchImpl<IKivVolume, g_kivlinkTypeLibrary>,
                            public tolv::com::SupportErrorInfoImpl<IKivVolume> {
public:
    using interface_map = tolv::com::interface_map<IKivVolume, ISupportErrorInfo>;

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
    static HRESULT Report(HRESULT hr);
};
