// Tunepane's application object: its trace, and how it makes an MP3 page with its job.
#include "plugins/tunepane/Mp3ProfileLocation.h"
#include "plugins/tunepane/Mp3Upload.h"
#include "plugins/tunepane/TunepaneClasses.h"

namespace tolv::tunepane {

namespace {

using Mp3Application = plugins::CPlugInApplication<CMp3PropertyPage>;

HRESULT CreateMp3Page(Mp3Application& application, Mp3Application::PagePtr& page)
{
    IModuleResource* texts = application.Texts();
    if (texts == nullptr) {
        return E_OUTOFMEMORY;
    }
    const HINSTANCE module = application.Resources();
    Mp3Application::PagePtr created;
    RETURN_IF_FAILED(tolv::com::ComObject<CMp3PropertyPage>::Create(created, *texts, CurrentUserStore(module, *texts),
                                                                    &application.Trace(), module));
    created->AttachUpload(CreateMp3Upload(*created.get(), *texts, &application.Trace(), module));
    page = std::move(created);
    return S_OK;
}

}  // namespace

Mp3Application& TunepaneTraits::Application()
{
    static Mp3Application application("Tunepane", &CreateMp3Page);
    return application;
}

}  // namespace tolv::tunepane
