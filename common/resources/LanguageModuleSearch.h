// Where a component's separate language module is looked for: next to the current folder,
// in its "Languages" folder, then in the suite's installation folder.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tolv::resources {

// The module's file name without its extension, followed by the language's code
// ("C:\Suite\TolvScheduler.exe" and 1031 give "TolvSchedulerDE_DE"). A file name without
// an extension gives no name of its own, only the code.
std::wstring LanguageModuleName(const std::wstring& modulePath, LANGID language);

// The suite's installation folder (HKLM "Software\Vostrel\Pellary", InstallationPath);
// empty when it is not set.
std::wstring InstallationFolder();

// The paths tried, in order; the relative ones are relative to the current folder. Without an
// installation folder only the relative ones.
std::vector<std::wstring> LanguageModuleCandidates(const std::wstring& name, const std::wstring& installationFolder);

// The first candidate that exists as a file; empty when none does.
std::wstring FindLanguageModule(const std::wstring& modulePath, LANGID language);

}  // namespace tolv::resources
