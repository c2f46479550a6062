#include "plugins/tunepane/Mp3ProfileLocation.h"

#include <lmcons.h>

#include <cwchar>

#include "plugins/tunepane/Mp3PageTexts.h"
#include "plugins/tunepane/TunepaneStringIds.h"

namespace tolv::tunepane {

namespace {

constexpr wchar_t kProfileExtension[] = L".INI";
constexpr wchar_t kShellFoldersKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr wchar_t kDocumentsValue[] = L"Personal";
// Long module paths ("\\?\" prefixed) reach this length.
constexpr DWORD kLongestModulePath = 32768;

}  // namespace

std::wstring ProfileNameOf(HMODULE module)
{
    std::wstring path(kLongestModulePath, L'\0');
    const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size()) {
        return {};
    }
    path.resize(length);
    const size_t nameStart = path.find_last_of(L"\\/") + 1;  // npos + 1 is 0: a bare name
    std::wstring name = path.substr(nameStart);
    const size_t extension = name.find_last_of(L'.');
    if (extension != std::wstring::npos) {
        name.resize(extension);
    }
    return name + kProfileExtension;
}

std::wstring LoginName()
{
    wchar_t name[UNLEN + 1] = {};
    DWORD size = UNLEN + 1;
    if (!GetUserNameW(name, &size)) {
        return {};
    }
    return name;
}

std::wstring DocumentsFolder()
{
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kShellFoldersKey, kDocumentsValue, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        bytes < sizeof(wchar_t)) {
        return {};
    }
    std::wstring folder(bytes / sizeof(wchar_t), L'\0');
    if (RegGetValueW(HKEY_CURRENT_USER, kShellFoldersKey, kDocumentsValue, RRF_RT_REG_SZ, nullptr, folder.data(),
                     &bytes) != ERROR_SUCCESS) {
        return {};
    }
    folder.resize(wcsnlen(folder.c_str(), folder.size()));
    return folder;
}

CMp3SettingsStore CurrentUserStore(HMODULE module, IModuleResource& texts)
{
    return CMp3SettingsStore(ProfileNameOf(module), LoginName(), LoadWideText(texts, IDS_DEFAULT_PHONE_PATH),
                             DocumentsFolder());
}

}  // namespace tolv::tunepane
