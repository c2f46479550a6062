#include "plugins/common/PlugInApplication.h"

#include "com/Module.h"
#include "resources/LanguageChoice.h"

namespace tolv::plugins {

namespace {

constexpr int kTraceLevel = 3;

}  // namespace

CPlugInApplicationBase::CPlugInApplicationBase(const char* traceName) : m_trace(traceName, kTraceLevel, false) {}

IModuleResource* CPlugInApplicationBase::Texts()
{
    tolv::com::auto_lock lock(m_lock);
    if (!m_texts) {
        m_texts = std::make_unique<CLanguageModuleResource>(Resources());
        tolv::resources::ChooseSuiteLanguage(*m_texts);
    }
    return m_texts.get();
}

HINSTANCE CPlugInApplicationBase::Resources() const
{
    return tolv::com::Module::Instance().GetInstance();
}

}  // namespace tolv::plugins
