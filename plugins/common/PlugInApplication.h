#pragma once
// A plug-in library's one application object: its texts in the suite's language, its trace,
// and the property page of the host connection. The host's objects and the scheduler's task
// adapter reach it from any thread (the classes are free-threaded), so the page reference is
// handed out as a copy under the lock.
#include <memory>
#include <utility>

#include "com/ComObject.h"
#include "com/CriticalSection.h"
#include "com/HResult.h"
#include "resources/LanguageModuleResource.h"
#include "trace/TolvTrace.h"

namespace tolv::plugins {

// What does not depend on the page's type.
class CPlugInApplicationBase {
public:
    explicit CPlugInApplicationBase(const char* traceName);
    CPlugInApplicationBase(const CPlugInApplicationBase&) = delete;
    CPlugInApplicationBase& operator=(const CPlugInApplicationBase&) = delete;

    // The texts, created and given the suite's language on first use rather than at load:
    // choosing the language asks a COM server, which the loader lock forbids.
    IModuleResource* Texts();
    // The library's own module, with its dialogs, icons and texts.
    HINSTANCE Resources() const;
    CTolvTrace& Trace() { return m_trace; }

protected:
    tolv::com::critical_section m_lock;

private:
    std::unique_ptr<CLanguageModuleResource> m_texts;
    CTolvTrace m_trace;
};

template <class PageClass>
class CPlugInApplication : public CPlugInApplicationBase {
public:
    using PagePtr = tolv::com::com_ptr<tolv::com::ComObject<PageClass>>;
    // Makes a page with the library's texts and trace (its job attached).
    using PageFactory = HRESULT (*)(CPlugInApplication& application, PagePtr& page);

    CPlugInApplication(const char* traceName, PageFactory factory)
        : CPlugInApplicationBase(traceName),
          m_factory(factory)
    {
    }

    // The host connection's page, empty while there is none.
    PagePtr Page()
    {
        tolv::com::auto_lock lock(m_lock);
        return m_page;
    }
    // That page, created when missing.
    HRESULT CreateHostPage(PagePtr& page)
    {
        if ((page = Page())) {
            return S_OK;
        }
        PagePtr created;
        RETURN_IF_FAILED(CreatePage(created));
        tolv::com::auto_lock lock(m_lock);
        if (!m_page) {
            m_page = std::move(created);
        }
        page = m_page;
        return S_OK;
    }
    // Gives up the application's reference and returns it (empty when there was none).
    PagePtr TakePage()
    {
        tolv::com::auto_lock lock(m_lock);
        return std::exchange(m_page, {});
    }
    // A page of its own for one task run, not kept.
    HRESULT CreatePage(PagePtr& page) { return m_factory(*this, page); }

private:
    PageFactory m_factory;
    PagePtr m_page;
};

}  // namespace tolv::plugins
