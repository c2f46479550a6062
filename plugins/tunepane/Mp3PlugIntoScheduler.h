#pragma once
// The task adapter the scheduler creates from its SchedulerPlugIns list: it runs the upload
// without a window of the host, on the scheduler's calling thread, with the host connection's
// page when there is one and else with a page of its own for the run.
#include "com/ComObject.h"
#include "com/ErrorInfo.h"
#include "plugins/common/HostTypeLibraries.h"
#include "TunepaneLib.h"

namespace tolv::tunepane {

class CMp3PlugIntoScheduler : public tolv::com::DispatchImpl<ITolvTaskScheduler, plugins::kTaskpaneLibrary>,
                              public tolv::com::SupportErrorInfoImpl<ITolvTaskScheduler> {
public:
    using interface_map =
        tolv::com::interface_map<tolv::com::entry_iid<&DIID_IMp3PlugIntoScheduler, ITolvTaskScheduler>,
                                 ISupportErrorInfo, tolv::com::entry_via<IDispatch, ITolvTaskScheduler>,
                                 ITolvTaskScheduler>;

    HRESULT STDMETHODCALLTYPE RunTask(long* result) override;
    HRESULT STDMETHODCALLTYPE IsInitialized(long* result) override;
    HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override;
};

}  // namespace tolv::tunepane
