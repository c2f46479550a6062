#pragma once
// Where the photo settings live: a private profile file, in a section of the user who is logged
// on ("<login name>_Photopane"), every value a string. Reading also repairs a PC folder that is
// gone, so that a download never targets a missing folder the user did not pick.
//
// Holds no handle; any thread may use it, the profile functions serialise the file's access.

#include "PhotoSettings.h"

#include <string>

namespace tolv::photopane {

class CPhotoSettingsStore {
public:
    // The plug-in's own profile: a bare name, which the profile functions find in the Windows folder.
    static constexpr wchar_t kPluginProfile[] = L"Photopane.INI";
    // What a PC folder falls back to when neither the stored one nor the pictures folder exists.
    static constexpr wchar_t kLastResortPcFolder[] = L"C:\\";

    // profile: a bare file name (the Windows folder) or a full path.
    CPhotoSettingsStore(std::wstring profile, const std::wstring& loginName);
    // The logged-on user's section of the plug-in's profile.
    static CPhotoSettingsStore ForCurrentUser();

    // Missing values read as their defaults: the pictures folder, no phone folder, overwrite,
    // leave the originals. A PC folder that is not an existing folder reads as the pictures
    // folder, or kLastResortPcFolder when that one is missing too.
    PhotoSettings Read() const;
    // False when a value could not be written (the file's folder is missing or read-only).
    bool Write(const PhotoSettings& settings) const;

    const std::wstring& Section() const { return m_section; }

private:
    std::wstring ReadString(const wchar_t* key) const;
    int ReadChoice(const wchar_t* key) const;
    bool WriteString(const wchar_t* key, const std::wstring& value) const;

    std::wstring m_profile;
    std::wstring m_section;
};

}  // namespace tolv::photopane
