// The object the host hands its plug-ins in OnConnection: IHostApplication (the plug-ins
// register their commands through it) and IHostPageCollector (they add their pages through it
// in CollectPropertyPages). Both dual, their IDispatch read from the host's type library.
//
// Owned by reference count: the host holds one reference, plug-ins may hold more. It knows
// the host through IHostCallbacks (not owned), cut with Detach before the host goes; calls
// after that fail with E_UNEXPECTED. Threads: the host's main thread (single-threaded apartment).
#pragma once

#include <windows.h>

#include "HostLib.h"
#include "com/ComObject.h"
#include "platform/host/HostTypeLibrary.h"

namespace host {

// What the host object passes on.
class IHostCallbacks {
public:
    virtual HRESULT OnRegisterCommands(IDispatch* commands, long cookie) = 0;
    virtual HRESULT OnAddPage(IUnknown* page) = 0;
    virtual long PageCount() const = 0;
    virtual HWND MainWindow() const = 0;

protected:
    ~IHostCallbacks() = default;
};

class CHostApplication : public tolv::com::DispatchImpl<IHostApplication, kHostLibrary>,
                         public tolv::com::DispatchImpl<IHostPageCollector, kHostLibrary> {
public:
    using interface_map = tolv::com::interface_map<IHostApplication, IHostPageCollector,
                                                   tolv::com::entry_via<IDispatch, IHostApplication>>;

    explicit CHostApplication(IHostCallbacks* callbacks) noexcept : m_callbacks(callbacks) {}
    virtual ~CHostApplication() = default;

    void Detach() noexcept { m_callbacks = nullptr; }

    // IHostApplication
    HRESULT STDMETHODCALLTYPE GetMainWindow(long* window) override;
    HRESULT STDMETHODCALLTYPE RegisterCommands(IDispatch* commands, long cookie) override;
    // IHostPageCollector
    HRESULT STDMETHODCALLTYPE GetPageCount(long* count) override;
    HRESULT STDMETHODCALLTYPE AddPage(IUnknown* page) override;

private:
    IHostCallbacks* m_callbacks;
};

}  // namespace host
