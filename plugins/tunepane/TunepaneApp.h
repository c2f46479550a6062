#pragma once
// The library's one application object: the plug-in's texts in the suite's language, its
// trace, and the property page of the host connection. The host's objects and the scheduler's
// task adapter reach them from any thread (the classes are free-threaded), so the page
// reference is handed out as a copy under the lock.
#include <memory>

#include "com/ComObject.h"
#include "com/CriticalSection.h"
#include "plugins/tunepane/Mp3PropertyPage.h"
#include "resources/LanguageModuleResource.h"
#include "trace/TolvTrace.h"

namespace tolv::tunepane {

using Mp3PagePtr = tolv::com::com_ptr<tolv::com::ComObject<CMp3PropertyPage>>;

class CTunepaneApp {
public:
    static CTunepaneApp& Instance();

    // The texts, created and given the suite's language on first use rather than at load:
    // choosing the language asks a COM server, which the loader lock forbids.
    IModuleResource* Texts();
    CTolvTrace& Trace() { return m_trace; }

    // The host connection's page, empty while there is none.
    Mp3PagePtr Page();
    // That page, created when missing.
    HRESULT CreateHostPage(Mp3PagePtr& page);
    // Gives up the application's reference and returns it (empty when there was none).
    Mp3PagePtr TakePage();
    // A page of its own for one task run, not kept.
    HRESULT CreatePage(Mp3PagePtr& page);

private:
    CTunepaneApp();

    tolv::com::critical_section m_lock;
    std::unique_ptr<CLanguageModuleResource> m_texts;
    CTolvTrace m_trace;
    Mp3PagePtr m_page;
};

}  // namespace tolv::tunepane
