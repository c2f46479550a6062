#include "PhotoSettingsStore.h"

#include "PicturesFolder.h"
#include "plugins/common/FolderPathRules.h"

#include <windows.h>
#include <lmcons.h>

#include <utility>

namespace tolv::photopane {

namespace {

constexpr wchar_t kSectionSuffix[] = L"_Photopane";
constexpr wchar_t kPcFolderKey[] = L"PCDir";
constexpr wchar_t kPhoneFolderKey[] = L"PhoneDir";
constexpr wchar_t kKeepOnDeviceKey[] = L"KeepOnDevice";
constexpr wchar_t kPcOverwriteKey[] = L"PCOverwrite";
// A folder path, with room for more than the chooser lets through.
constexpr DWORD kValueCapacity = 1024;
constexpr int kSecondChoice = 1;

std::wstring UsablePcFolder(const std::wstring& stored)
{
    if (plugins::IsExistingFolder(stored))
        return stored;
    const std::wstring pictures = UserPicturesFolder();
    if (plugins::IsExistingFolder(pictures))
        return pictures;
    return CPhotoSettingsStore::kLastResortPcFolder;
}

std::wstring CurrentLoginName()
{
    wchar_t name[UNLEN + 1] = {};
    DWORD length = UNLEN + 1;
    if (!GetUserNameW(name, &length))
        return {};
    return name;
}

}  // namespace

CPhotoSettingsStore::CPhotoSettingsStore(std::wstring profile, const std::wstring& loginName)
    : m_profile(std::move(profile)),
      m_section(loginName + kSectionSuffix)
{
}

CPhotoSettingsStore CPhotoSettingsStore::ForCurrentUser()
{
    return CPhotoSettingsStore(kPluginProfile, CurrentLoginName());
}

PhotoSettings CPhotoSettingsStore::Read() const
{
    PhotoSettings settings;
    settings.pcFolder = UsablePcFolder(ReadString(kPcFolderKey));
    settings.phoneFolder = ReadString(kPhoneFolderKey);
    settings.pcOverwrite = ReadChoice(kPcOverwriteKey);
    settings.keepOnDevice = ReadChoice(kKeepOnDeviceKey);
    return settings;
}

bool CPhotoSettingsStore::Write(const PhotoSettings& settings) const
{
    // Each value on its own: one that fails does not keep the others from being stored.
    bool written = WriteString(kPcFolderKey, settings.pcFolder);
    written = WriteString(kPhoneFolderKey, settings.phoneFolder) && written;
    written = WriteString(kKeepOnDeviceKey, std::to_wstring(settings.keepOnDevice)) && written;
    written = WriteString(kPcOverwriteKey, std::to_wstring(settings.pcOverwrite)) && written;
    return written;
}

std::wstring CPhotoSettingsStore::ReadString(const wchar_t* key) const
{
    wchar_t value[kValueCapacity] = {};
    GetPrivateProfileStringW(m_section.c_str(), key, L"", value, kValueCapacity, m_profile.c_str());
    return value;
}

int CPhotoSettingsStore::ReadChoice(const wchar_t* key) const
{
    // The page selects radio button "first + index": anything but the second button's index
    // would select a control that is not one of the pair.
    const UINT index = GetPrivateProfileIntW(m_section.c_str(), key, 0, m_profile.c_str());
    return index == kSecondChoice ? kSecondChoice : 0;
}

bool CPhotoSettingsStore::WriteString(const wchar_t* key, const std::wstring& value) const
{
    return WritePrivateProfileStringW(m_section.c_str(), key, value.c_str(), m_profile.c_str()) != FALSE;
}

}  // namespace tolv::photopane
