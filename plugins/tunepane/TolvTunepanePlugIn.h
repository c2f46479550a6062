#pragma once
// The connection object the host creates from its PlugIns list: it connects the plug-in to the
// host (the page, and the commands object the host calls) and disconnects it again. One per
// host connection; the host calls it from its user-interface thread.
#include "com/ComObject.h"
#include "com/ErrorInfo.h"
#include "plugins/common/HostTypeLibraries.h"
#include "TunepaneLib.h"

namespace tolv::tunepane {

class CTolvTunepanePlugIn : public tolv::com::DispatchImpl<IHostPlugIn, plugins::kHostLibrary>,
                            public tolv::com::SupportErrorInfoImpl<IHostPlugIn> {
public:
    using interface_map =
        tolv::com::interface_map<tolv::com::entry_iid<&DIID_ITolvTunepanePlugIn, IHostPlugIn>, ISupportErrorInfo,
                                 tolv::com::entry_via<IDispatch, IHostPlugIn>, IHostPlugIn>;

    HRESULT STDMETHODCALLTYPE OnConnection(IUnknown* host, long cookie, BSTR pageName,
                                           VARIANT_BOOL* connected) override;
    HRESULT STDMETHODCALLTYPE OnDisconnection() override;

private:
    tolv::com::com_ptr<IUnknown> m_host;
    tolv::com::com_ptr<IDispatch> m_commands;
};

}  // namespace tolv::tunepane
