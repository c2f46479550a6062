#pragma once
// Where the MP3 upload's settings live: per-user sections of a private profile (an INI file),
// all values as strings. The page reads and writes them; a job reads them again before it starts.
//
// Threads: no state beyond the file's name; any thread may read or write, and the system's
// profile functions serialise the file itself.
#include <string>

#include "plugins/tunepane/Mp3Settings.h"

namespace tolv::tunepane {

class CMp3SettingsStore {
public:
    // `profile`: a bare file name ("Tunepane.INI", in the Windows folder) or a full path.
    // `userName` names the sections. `defaultPhonePath` and `defaultFolder` are what a user
    // without stored settings starts with: the phone folder below the drive and the one
    // folder row.
    CMp3SettingsStore(std::wstring profile, std::wstring userName, std::wstring defaultPhonePath,
                      std::wstring defaultFolder);

    // Every setting, with the defaults for what is not stored.
    Mp3Settings Read() const;
    // Every setting; false when the profile could not be written.
    bool Write(const Mp3Settings& settings) const;

    const std::wstring& Profile() const noexcept { return m_profile; }

private:
    std::wstring Section(const wchar_t* suffix) const;
    std::wstring ReadValue(const std::wstring& section, const wchar_t* key, const std::wstring& fallback) const;
    bool WriteValue(const std::wstring& section, const wchar_t* key, const std::wstring& value) const;

    std::wstring m_profile;
    std::wstring m_userName;
    std::wstring m_defaultPhonePath;
    std::wstring m_defaultFolder;
};

}  // namespace tolv::tunepane
