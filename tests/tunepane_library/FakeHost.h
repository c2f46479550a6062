#pragma once
// The host's side of a plug-in connection, in the test: it takes the plug-in's commands and
// pages the way the host application does, and can refuse the commands.
#include <vector>

#include "com/ComObject.h"
#include "plugins/common/HostTypeLibraries.h"

class CFakeHost : public tolv::com::DispatchImpl<IHostApplication, tolv::plugins::kHostLibrary>,
                  public tolv::com::DispatchImpl<IHostPageCollector, tolv::plugins::kHostLibrary> {
public:
    using interface_map = tolv::com::interface_map<IHostApplication, tolv::com::entry_via<IDispatch, IHostApplication>,
                                                   IHostPageCollector>;

    HRESULT STDMETHODCALLTYPE GetMainWindow(long* window) override;
    HRESULT STDMETHODCALLTYPE RegisterCommands(IDispatch* commands, long cookie) override;
    HRESULT STDMETHODCALLTYPE GetPageCount(long* count) override;
    HRESULT STDMETHODCALLTYPE AddPage(IUnknown* page) override;

    HRESULT refuseCommands = S_OK;
    tolv::com::com_ptr<IHostCommands> commands;
    long cookie = 0;
    std::vector<tolv::com::com_ptr<IPropertyPage>> pages;
};
