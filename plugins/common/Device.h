#pragma once
// The plug-ins' client of the phone: one per page and one per transfer thread, used by that
// thread only (its own proxy object, created after the thread joined its apartment). It turns
// the server's text answers into values and never lets a server failure escape: a failure
// counts as "not connected", "no drive" or "no entries", or is returned as the code.
//
// The owner creates the proxy object and hands it in; the plug-ins derive their own
// operations (uploading MP3 files, downloading photos) from this core.
#include "com/ComPtr.h"
#include "trace/TolvTrace.h"

#include "KivlinkLib.h"

#include <map>
#include <string>

namespace tolv::plugins {

class CDevice {
public:
    // trace: the plug-in's trace; may be null.
    explicit CDevice(CTolvTrace* trace);
    virtual ~CDevice();
    CDevice(const CDevice&) = delete;
    CDevice& operator=(const CDevice&) = delete;

    void SetVolume(tolv::com::com_ptr<IKivVolume2> volume);
    IKivVolume2* Volume() const { return m_volume.get(); }

    // Whether the server lists a device; remembered for DriveTest.
    bool IsConnected();
    // "E:" when the phone has a memory card, else "C:" when it lists phone memory, else empty
    // (also while not connected); remembered as Drive().
    std::wstring DriveTest();
    const std::wstring& Drive() const { return m_drive; }
    // Whether `name` occurs anywhere in the drive list text.
    static bool IsDriveExist(const std::wstring& drives, const wchar_t* name);

protected:
    // The entries of `folder` (not below it) whose names end in `extension`, relative to the
    // folder; `hr` is the listing's result.
    std::map<int, std::wstring> ListEntriesEndingIn(const std::wstring& folder, const wchar_t* extension, HRESULT& hr);
    // GetInfo's text, or the failure.
    HRESULT ReadInfo(const std::wstring& path, std::wstring& info);
    void Trace(const char* format, ...) const TOLV_TRACE_PRINTF(2, 3);

private:
    CTolvTrace* m_trace;
    tolv::com::com_ptr<IKivVolume2> m_volume;
    bool m_connected = false;
    std::wstring m_drive;
};

}  // namespace tolv::plugins
