#include "plugins/tunepane/TunepaneApp.h"

#include "com/Module.h"
#include "plugins/tunepane/Mp3Upload.h"
#include "resources/LanguageChoice.h"

namespace tolv::tunepane {

namespace {

constexpr int kTraceLevel = 3;

}  // namespace

CTunepaneApp& CTunepaneApp::Instance()
{
    static CTunepaneApp app;
    return app;
}

CTunepaneApp::CTunepaneApp() : m_trace("Tunepane", kTraceLevel, false) {}

IModuleResource* CTunepaneApp::Texts()
{
    tolv::com::auto_lock lock(m_lock);
    if (!m_texts) {
        m_texts = std::make_unique<CLanguageModuleResource>(tolv::com::Module::Instance().GetInstance());
        tolv::resources::ChooseSuiteLanguage(*m_texts);
    }
    return m_texts.get();
}

Mp3PagePtr CTunepaneApp::Page()
{
    tolv::com::auto_lock lock(m_lock);
    return m_page;
}

HRESULT CTunepaneApp::CreateHostPage(Mp3PagePtr& page)
{
    {
        tolv::com::auto_lock lock(m_lock);
        if (m_page) {
            page = m_page;
            return S_OK;
        }
    }
    Mp3PagePtr created;
    RETURN_IF_FAILED(CreatePage(created));
    tolv::com::auto_lock lock(m_lock);
    if (!m_page) {
        m_page = created;
    }
    page = m_page;
    return S_OK;
}

Mp3PagePtr CTunepaneApp::TakePage()
{
    tolv::com::auto_lock lock(m_lock);
    return std::exchange(m_page, {});
}

HRESULT CTunepaneApp::CreatePage(Mp3PagePtr& page)
{
    IModuleResource* texts = Texts();
    if (texts == nullptr) {
        return E_OUTOFMEMORY;
    }
    Mp3PagePtr created;
    RETURN_IF_FAILED(tolv::com::ComObject<CMp3PropertyPage>::Create(created, *texts, &m_trace));
    created->AttachUpload(
        CreateMp3Upload(*created.get(), *texts, &m_trace, tolv::com::Module::Instance().GetInstance()));
    page = std::move(created);
    return S_OK;
}

}  // namespace tolv::tunepane
