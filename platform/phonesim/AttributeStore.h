// The attribute bits a PC file system may not keep for a phone file. Read-only, hidden and
// system live in the real file's attributes; a cleared archive bit and the compressed bit
// are refused by some file systems (Wine's among them), so those two are recorded in a
// private profile file beside the drive folders. A record holds the file's size and write
// time and counts only while the file still has them, so a file replaced behind the
// simulator's back shows its real bits again.
#pragma once

#include <string>

#include <windows.h>

#include "platform/phonesim/FileFacts.h"

namespace phonesim {

class CAttributeStore {
public:
    explicit CAttributeStore(std::wstring profilePath) : m_profile(std::move(profilePath)) {}

    // The phone attribute word of the entry at `pcPath` (known to have `facts`).
    DWORD Read(wchar_t drive, const std::wstring& relative, const EntryFacts& facts) const;
    // Sets the phone attribute bits of a file.
    HRESULT Write(wchar_t drive, const std::wstring& relative, const std::wstring& pcPath, DWORD attributes);
    // After the file's write time changed on purpose: its record follows.
    void Refresh(wchar_t drive, const std::wstring& relative, const std::wstring& pcPath);
    void Forget(wchar_t drive, const std::wstring& relative);
    // Every record of a drive (after it was formatted).
    void ForgetDrive(wchar_t drive);
    void Move(wchar_t fromDrive, const std::wstring& from, wchar_t toDrive, const std::wstring& to);

    const std::wstring& ProfilePath() const noexcept { return m_profile; }

private:
    struct Record {
        DWORD bits = 0;
        unsigned long long size = 0;
        unsigned long long written = 0;
    };
    bool Load(wchar_t drive, const std::wstring& relative, Record& record) const;
    void Save(wchar_t drive, const std::wstring& relative, const Record& record);

    std::wstring m_profile;
};

}  // namespace phonesim
