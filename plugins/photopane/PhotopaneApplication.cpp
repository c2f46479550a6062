// Photopane's application object: its trace, and how it makes a photo page with its job.
#include "plugins/photopane/PhotoDownload.h"
#include "plugins/photopane/PhotoSettingsStore.h"
#include "plugins/photopane/PhotopaneClasses.h"

namespace tolv::photopane {

namespace {

using PhotoApplication = plugins::CPlugInApplication<CPicturesPropertyPage>;

HRESULT CreatePicturesPage(PhotoApplication& application, PhotoApplication::PagePtr& page)
{
    IModuleResource* texts = application.Texts();
    if (texts == nullptr) {
        return E_OUTOFMEMORY;
    }
    const HINSTANCE module = application.Resources();
    PhotoApplication::PagePtr created;
    RETURN_IF_FAILED(tolv::com::ComObject<CPicturesPropertyPage>::Create(
        created, *texts, CPhotoSettingsStore::ForCurrentUser(), &application.Trace(), module));
    created->AttachDownload(CreatePhotoDownload(*created.get(), *texts, &application.Trace(), module));
    page = std::move(created);
    return S_OK;
}

}  // namespace

PhotoApplication& PhotopaneTraits::Application()
{
    static PhotoApplication application("Photopane", &CreatePicturesPage);
    return application;
}

}  // namespace tolv::photopane
