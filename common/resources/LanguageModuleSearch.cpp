#include "resources/LanguageModuleSearch.h"

#include "resources/LanguageCodes.h"

namespace tolv::resources {

namespace {

constexpr wchar_t kSuiteKey[] = L"Software\\Vostrel\\Pellary";
constexpr wchar_t kInstallationPathValue[] = L"InstallationPath";
constexpr DWORD kInstallationPathChars = MAX_PATH;

constexpr const wchar_t* kExtensions[] = {L".DLR", L".DLL"};

bool IsFile(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

std::wstring LanguageModuleName(const std::wstring& modulePath, LANGID language)
{
    const size_t slash = modulePath.find_last_of(L'\\');
    const std::wstring fileName = slash == std::wstring::npos ? modulePath : modulePath.substr(slash + 1);
    const size_t dot = fileName.find_last_of(L'.');
    const std::wstring stem = dot == std::wstring::npos ? std::wstring() : fileName.substr(0, dot);
    return stem + LanguageCode(language);
}

std::wstring InstallationFolder()
{
    wchar_t folder[kInstallationPathChars] = {};
    DWORD bytes = sizeof folder;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kSuiteKey, kInstallationPathValue, RRF_RT_REG_SZ, nullptr, folder, &bytes) !=
        ERROR_SUCCESS) {
        return {};
    }
    return folder;
}

std::vector<std::wstring> LanguageModuleCandidates(const std::wstring& name, const std::wstring& installationFolder)
{
    std::vector<std::wstring> folders = {L".\\", L".\\Languages\\"};
    // Without an installation folder its place would be the root of the current drive.
    if (!installationFolder.empty()) {
        folders.push_back(installationFolder + L"\\Bin\\Languages\\");
    }
    std::vector<std::wstring> candidates;
    for (const std::wstring& folder : folders) {
        for (const wchar_t* extension : kExtensions) {
            candidates.push_back(folder + name + extension);
        }
    }
    return candidates;
}

std::wstring FindLanguageModule(const std::wstring& modulePath, LANGID language)
{
    const std::wstring name = LanguageModuleName(modulePath, language);
    for (const std::wstring& candidate : LanguageModuleCandidates(name, InstallationFolder())) {
        if (IsFile(candidate)) {
            return candidate;
        }
    }
    return {};
}

}  // namespace tolv::resources
