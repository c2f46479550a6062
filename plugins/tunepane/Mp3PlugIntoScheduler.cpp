#include "plugins/tunepane/Mp3PlugIntoScheduler.h"

#include "com/UniqueBstr.h"
#include "plugins/tunepane/TunepaneApp.h"
#include "plugins/tunepane/TunepaneStringIds.h"

namespace tolv::tunepane {

HRESULT STDMETHODCALLTYPE CMp3PlugIntoScheduler::RunTask(long* result)
{
    if (result == nullptr) {
        return E_POINTER;
    }
    CTunepaneApp& app = CTunepaneApp::Instance();
    Mp3PagePtr page = app.Page();
    if (!page && FAILED(app.CreatePage(page))) {
        *result = kJobNoPage;
        return S_OK;
    }
    *result = page->StartScheduler(false);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CMp3PlugIntoScheduler::IsInitialized(long* result)
{
    if (result == nullptr) {
        return E_POINTER;
    }
    *result = 1;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CMp3PlugIntoScheduler::GetName(BSTR* name)
{
    if (name == nullptr) {
        return E_POINTER;
    }
    IModuleResource* texts = CTunepaneApp::Instance().Texts();
    if (texts == nullptr) {
        *name = SysAllocString(L"???");
        return S_OK;
    }
    std::string text;
    texts->LoadString(IDS_TASK_NAME, text);
    *name = text.empty() ? nullptr : tolv::com::unique_bstr(text.c_str()).release();
    return S_OK;
}

}  // namespace tolv::tunepane
