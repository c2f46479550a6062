#pragma once
// The commands object the plug-in hands the host: the tool button (its tool tip, whether it is
// enabled, the press), the question before the host closes, and the page for the host's
// settings window. It keeps no state of its own; everything is the application's page.
#include "com/ComObject.h"
#include "com/ErrorInfo.h"
#include "plugins/common/HostTypeLibraries.h"
#include "TunepaneLib.h"

namespace tolv::tunepane {

class CTunepaneCommands : public tolv::com::DispatchImpl<IHostCommands, plugins::kHostLibrary>,
                          public tolv::com::SupportErrorInfoImpl<IHostCommands> {
public:
    using interface_map =
        tolv::com::interface_map<tolv::com::entry_iid<&DIID_ITunepaneCommands, IHostCommands>, ISupportErrorInfo,
                                 tolv::com::entry_via<IDispatch, IHostCommands>, IHostCommands>;

    HRESULT STDMETHODCALLTYPE Show(long reserved1, long reserved2) override;
    HRESULT STDMETHODCALLTYPE CanCloseWindow(VARIANT_BOOL* canClose) override;
    HRESULT STDMETHODCALLTYPE ShowHelp() override;
    HRESULT STDMETHODCALLTYPE GetToolTip(BSTR* text) override;
    HRESULT STDMETHODCALLTYPE EnableToolButton(BSTR model, long reserved1, long reserved2,
                                               VARIANT_BOOL* enable) override;
    HRESULT STDMETHODCALLTYPE CollectPropertyPages(IHostPageCollector* collector) override;
    HRESULT STDMETHODCALLTYPE GetTitle(BSTR* title) override;
};

}  // namespace tolv::tunepane
