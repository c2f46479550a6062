// A plug-in for the host's tests: connects, registers itself as its commands, hands over the
// registered sample page (tests/pagebase), enables its button for kSampleModel alone, and
// records every call it receives in the call log. It refuses closing while the log's refusal
// file exists.
//
// Threads: the host's main thread (apartment-threaded class). Holds the host object from
// OnConnection to OnDisconnection.
#pragma once

#include <string>

#include "HostLib.h"
#include "com/ComObject.h"
#include "platform/host/HostTypeLibrary.h"

class CSamplePlugIn : public tolv::com::DispatchImpl<IHostPlugIn, host::kHostLibrary>,
                      public tolv::com::DispatchImpl<IHostCommands, host::kHostLibrary> {
public:
    using interface_map =
        tolv::com::interface_map<IHostPlugIn, IHostCommands, tolv::com::entry_via<IDispatch, IHostPlugIn>>;

    virtual ~CSamplePlugIn() = default;

    // IHostPlugIn
    HRESULT STDMETHODCALLTYPE OnConnection(IUnknown* host, long cookie, BSTR pageName,
                                           VARIANT_BOOL* connected) override;
    HRESULT STDMETHODCALLTYPE OnDisconnection() override;
    // IHostCommands
    HRESULT STDMETHODCALLTYPE Show(long reserved1, long reserved2) override;
    HRESULT STDMETHODCALLTYPE CanCloseWindow(VARIANT_BOOL* canClose) override;
    HRESULT STDMETHODCALLTYPE ShowHelp() override;
    HRESULT STDMETHODCALLTYPE GetToolTip(BSTR* text) override;
    HRESULT STDMETHODCALLTYPE EnableToolButton(BSTR model, long reserved1, long reserved2,
                                               VARIANT_BOOL* enable) override;
    HRESULT STDMETHODCALLTYPE CollectPropertyPages(IHostPageCollector* collector) override;
    HRESULT STDMETHODCALLTYPE GetTitle(BSTR* title) override;

private:
    void Record(const std::wstring& call) const;

    std::wstring m_pageName;
    tolv::com::com_ptr<IHostApplication> m_host;
};
