// The language a user-interface component shows its texts in: the one the user chose for
// the whole suite, else the system's.
#pragma once

#include "resources/EnvironmentServerLanguage.h"
#include "resources/LanguageModuleResource.h"

namespace tolv::resources {

// Asks EnvironmentServer for the suite's language and sets it on `resource` and as the calling
// thread's locale. Without an answer the system's default language is set on `resource` and
// the thread's locale stays. Answers the language set. COM must be initialised on the thread.
LANGID ChooseSuiteLanguage(CLanguageModuleResource& resource, DWORD contexts = kEnvironmentServerContexts);

}  // namespace tolv::resources
