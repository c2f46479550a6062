#include "platform/phonesim/AttributeStore.h"

#include "com/HResult.h"

#include <cwchar>

namespace phonesim {

namespace {

// The bits a file system may drop.
constexpr DWORD kRecordedBits = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_COMPRESSED;
// The bits SetFileAttributes takes.
constexpr DWORD kRealBits =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

std::wstring Section(wchar_t drive)
{
    return std::wstring(1, drive);
}

// Profile keys cannot hold every character a file name may have: the lower-case relative
// path is written in hexadecimal.
std::wstring Key(const std::wstring& relative)
{
    std::wstring key;
    wchar_t digits[8];
    for (const wchar_t c : relative) {
        swprintf(digits, 8, L"%04x", static_cast<unsigned>(towlower(c)));
        key += digits;
    }
    return key;
}

unsigned long long Ticks(const FILETIME& time)
{
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

bool CAttributeStore::Load(wchar_t drive, const std::wstring& relative, Record& record) const
{
    wchar_t text[96] = L"";
    GetPrivateProfileStringW(Section(drive).c_str(), Key(relative).c_str(), L"", text, 96, m_profile.c_str());
    unsigned long bits = 0;
    unsigned long long size = 0;
    unsigned long long written = 0;
    if (swscanf(text, L"%lx %llu %llu", &bits, &size, &written) != 3) {
        return false;
    }
    record.bits = static_cast<DWORD>(bits);
    record.size = size;
    record.written = written;
    return true;
}

void CAttributeStore::Save(wchar_t drive, const std::wstring& relative, const Record& record)
{
    wchar_t text[96];
    swprintf(text, 96, L"%lx %llu %llu", static_cast<unsigned long>(record.bits), record.size, record.written);
    WritePrivateProfileStringW(Section(drive).c_str(), Key(relative).c_str(), text, m_profile.c_str());
}

DWORD CAttributeStore::Read(wchar_t drive, const std::wstring& relative, const EntryFacts& facts) const
{
    DWORD bits = facts.attributes & kPhoneAttributeMask;
    Record record;
    if (!facts.IsFolder() && Load(drive, relative, record) && record.size == facts.size &&
        record.written == Ticks(facts.lastWrite)) {
        bits = (bits & ~kRecordedBits) | (record.bits & kRecordedBits);
    }
    return bits;
}

HRESULT CAttributeStore::Write(wchar_t drive, const std::wstring& relative, const std::wstring& pcPath,
                               DWORD attributes)
{
    const DWORD real = attributes & kRealBits;
    if (!SetFileAttributesW(pcPath.c_str(), real != 0 ? real : FILE_ATTRIBUTE_NORMAL)) {
        return tolv::com::HResultFromLastError();
    }
    EntryFacts facts;
    const HRESULT hr = ReadEntryFacts(pcPath, facts);
    if (FAILED(hr)) {
        return hr;
    }
    if ((facts.attributes & kRecordedBits) == (attributes & kRecordedBits)) {
        Forget(drive, relative);
    } else {
        Save(drive, relative, Record{attributes & kRecordedBits, facts.size, Ticks(facts.lastWrite)});
    }
    return S_OK;
}

void CAttributeStore::Refresh(wchar_t drive, const std::wstring& relative, const std::wstring& pcPath)
{
    Record record;
    EntryFacts facts;
    if (Load(drive, relative, record) && SUCCEEDED(ReadEntryFacts(pcPath, facts))) {
        record.size = facts.size;
        record.written = Ticks(facts.lastWrite);
        Save(drive, relative, record);
    }
}

void CAttributeStore::Forget(wchar_t drive, const std::wstring& relative)
{
    WritePrivateProfileStringW(Section(drive).c_str(), Key(relative).c_str(), nullptr, m_profile.c_str());
}

void CAttributeStore::ForgetDrive(wchar_t drive)
{
    WritePrivateProfileStringW(Section(drive).c_str(), nullptr, nullptr, m_profile.c_str());
}

void CAttributeStore::Move(wchar_t fromDrive, const std::wstring& from, wchar_t toDrive, const std::wstring& to)
{
    Record record;
    if (Load(fromDrive, from, record)) {
        Forget(fromDrive, from);
        Save(toDrive, to, record);
    } else {
        Forget(toDrive, to);
    }
}

}  // namespace phonesim
