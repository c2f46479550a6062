#include "plugins/tunepane/Mp3SettingsStore.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>

namespace tolv::tunepane {

namespace {

constexpr wchar_t kPageSection[] = L"_Tunepane";
constexpr wchar_t kCountSection[] = L"_Mp3DataCount";
constexpr wchar_t kPathSection[] = L"_Mp3Path";
constexpr wchar_t kNameSection[] = L"_Mp3Data";

constexpr wchar_t kPhonePathKey[] = L"PhonePath";
constexpr wchar_t kMemoryToFillKey[] = L"MemoryToFill";
constexpr wchar_t kRandomKey[] = L"RandomSelektionOnCopy";
constexpr wchar_t kDeleteAllKey[] = L"DeleteAllForCopy";
constexpr wchar_t kCountKey[] = L"Count";

constexpr wchar_t kDefaultMemoryToFill[] = L"10";
constexpr wchar_t kDefaultRandom[] = L"0";
constexpr wchar_t kDefaultDeleteAll[] = L"1";
constexpr wchar_t kDefaultCount[] = L"1";
// Older versions stored folder rows with this name.
constexpr wchar_t kOldFolderRowName[] = L"*.*";

// A garbled count must not have the page read for ever.
constexpr int kMostRows = 100000;
constexpr DWORD kFirstValueCapacity = 512;

std::wstring Number(int value)
{
    return std::to_wstring(value);
}

}  // namespace

CMp3SettingsStore::CMp3SettingsStore(std::wstring profile, std::wstring userName, std::wstring defaultPhonePath,
                                     std::wstring defaultFolder)
    : m_profile(std::move(profile)),
      m_userName(std::move(userName)),
      m_defaultPhonePath(std::move(defaultPhonePath)),
      m_defaultFolder(std::move(defaultFolder))
{
}

std::wstring CMp3SettingsStore::Section(const wchar_t* suffix) const
{
    return m_userName + suffix;
}

std::wstring CMp3SettingsStore::ReadValue(const std::wstring& section, const wchar_t* key,
                                          const std::wstring& fallback) const
{
    std::wstring value(kFirstValueCapacity, L'\0');
    for (;;) {
        const DWORD length = GetPrivateProfileStringW(section.c_str(), key, fallback.c_str(), value.data(),
                                                      static_cast<DWORD>(value.size()), m_profile.c_str());
        // A value that filled the buffer may have been cut: read it again into a larger one.
        if (length + 1 < value.size()) {
            value.resize(length);
            return value;
        }
        value.assign(value.size() * 2, L'\0');
    }
}

bool CMp3SettingsStore::WriteValue(const std::wstring& section, const wchar_t* key, const std::wstring& value) const
{
    return WritePrivateProfileStringW(section.c_str(), key, value.c_str(), m_profile.c_str()) != FALSE;
}

Mp3Settings CMp3SettingsStore::Read() const
{
    const std::wstring page = Section(kPageSection);
    Mp3Settings settings;
    settings.phonePath = ReadValue(page, kPhonePathKey, m_defaultPhonePath);
    settings.memoryToFill = _wtoi(ReadValue(page, kMemoryToFillKey, kDefaultMemoryToFill).c_str());
    settings.randomSelection = _wtoi(ReadValue(page, kRandomKey, kDefaultRandom).c_str());
    settings.deleteAll = _wtoi(ReadValue(page, kDeleteAllKey, kDefaultDeleteAll).c_str());

    const int count =
        std::clamp(_wtoi(ReadValue(Section(kCountSection), kCountKey, kDefaultCount).c_str()), 0, kMostRows);
    const std::wstring paths = Section(kPathSection);
    const std::wstring names = Section(kNameSection);
    settings.rows.reserve(static_cast<size_t>(count));
    for (int index = 1; index <= count; ++index) {
        const std::wstring key = Number(index);
        Mp3Row row{ReadValue(paths, key.c_str(), m_defaultFolder), ReadValue(names, key.c_str(), kFolderRowName)};
        if (row.name == kOldFolderRowName) {
            row.name = kFolderRowName;
        }
        settings.rows.push_back(std::move(row));
    }
    return settings;
}

bool CMp3SettingsStore::Write(const Mp3Settings& settings) const
{
    const std::wstring page = Section(kPageSection);
    bool written = WriteValue(page, kPhonePathKey, settings.phonePath);
    written = WriteValue(page, kMemoryToFillKey, Number(settings.memoryToFill)) && written;
    written = WriteValue(page, kRandomKey, Number(settings.randomSelection)) && written;
    written = WriteValue(page, kDeleteAllKey, Number(settings.deleteAll)) && written;

    // Rows of a longer list stored before must not come back with a later count.
    const std::wstring paths = Section(kPathSection);
    const std::wstring names = Section(kNameSection);
    WritePrivateProfileStringW(paths.c_str(), nullptr, nullptr, m_profile.c_str());
    WritePrivateProfileStringW(names.c_str(), nullptr, nullptr, m_profile.c_str());
    int index = 0;
    for (const Mp3Row& row : settings.rows) {
        const std::wstring key = Number(++index);
        written = WriteValue(paths, key.c_str(), row.directory) && written;
        written = WriteValue(names, key.c_str(), row.name) && written;
    }
    written = WriteValue(Section(kCountSection), kCountKey, Number(index)) && written;
    return written;
}

}  // namespace tolv::tunepane
