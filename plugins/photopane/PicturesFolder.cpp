#include "PicturesFolder.h"

#include <windows.h>

namespace tolv::photopane {

namespace {

constexpr wchar_t kShellFoldersKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr wchar_t kPicturesValue[] = L"My Pictures";

}  // namespace

std::wstring UserPicturesFolder()
{
    wchar_t folder[MAX_PATH] = {};
    DWORD size = sizeof(folder);
    // RRF_RT_REG_SZ alone: an expandable or binary value here is not a folder we can trust.
    if (RegGetValueW(HKEY_CURRENT_USER, kShellFoldersKey, kPicturesValue, RRF_RT_REG_SZ, nullptr, folder, &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    return folder;
}

}  // namespace tolv::photopane
