#include "platform/phonesim/BackupArchive.h"

#include <cstring>

#include "com/HResult.h"
#include "platform/phonesim/PhonePath.h"
#include "platform/phonesim/SimResults.h"

namespace phonesim {

namespace {

constexpr char kMagic[16] = "PHONESIM-BACKUP";
constexpr DWORD kVersion = 1;
constexpr LONGLONG kCountOffset = 24;
constexpr LONGLONG kHeaderSize = 28;
constexpr DWORD kLongestName = 32767;

#pragma pack(push, 1)
struct Header {
    char magic[16];
    DWORD version;
    WORD drive;
    WORD reserved;
    DWORD count;
};
struct RecordHeader {
    DWORD kind;
    DWORD attributes;
    unsigned long long written;
    unsigned long long size;
    DWORD nameLength;
};
#pragma pack(pop)

HRESULT WriteAll(HANDLE file, const void* data, DWORD size)
{
    DWORD written = 0;
    RETURN_LAST_ERROR_IF(!WriteFile(file, data, size, &written, nullptr));
    return written == size ? S_OK : HRESULT_FROM_WIN32(ERROR_WRITE_FAULT);
}

HRESULT ReadAll(HANDLE file, void* data, DWORD size)
{
    DWORD read = 0;
    RETURN_LAST_ERROR_IF(!ReadFile(file, data, size, &read, nullptr));
    return read == size ? S_OK : kBadBackup;
}

HRESULT Seek(HANDLE file, LONGLONG offset, DWORD origin)
{
    LARGE_INTEGER distance{};
    distance.QuadPart = offset;
    RETURN_LAST_ERROR_IF(!SetFilePointerEx(file, distance, nullptr, origin));
    return S_OK;
}

// Every component a name the phone could have: no "..", no drive, no empty parts.
bool IsSafeRelativePath(const std::wstring& relative)
{
    PhonePath parsed;
    return !relative.empty() && relative.front() != L'\\' && relative.back() != L'\\' &&
           ParsePhonePath(L"C:\\" + relative, parsed) && parsed.Relative() == relative;
}

}  // namespace

HRESULT CBackupWriter::Create(const std::wstring& path, wchar_t drive)
{
    m_file.reset(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    RETURN_LAST_ERROR_IF(!m_file);
    m_path = path;
    Header header{};
    std::memcpy(header.magic, kMagic, sizeof header.magic);
    header.version = kVersion;
    header.drive = drive;
    return WriteAll(m_file.get(), &header, sizeof header);
}

HRESULT CBackupWriter::Add(const BackupRecord& record)
{
    RecordHeader header{};
    header.kind = record.folder ? 1 : 2;
    header.attributes = record.attributes;
    header.written =
        (static_cast<unsigned long long>(record.written.dwHighDateTime) << 32) | record.written.dwLowDateTime;
    header.size = record.folder ? 0 : record.size;
    header.nameLength = static_cast<DWORD>(record.relative.size());
    RETURN_IF_FAILED(WriteAll(m_file.get(), &header, sizeof header));
    RETURN_IF_FAILED(WriteAll(m_file.get(), record.relative.data(), header.nameLength * sizeof(wchar_t)));
    ++m_count;
    return S_OK;
}

HRESULT CBackupWriter::Finish()
{
    RETURN_IF_FAILED(Seek(m_file.get(), kCountOffset, FILE_BEGIN));
    RETURN_IF_FAILED(WriteAll(m_file.get(), &m_count, sizeof m_count));
    RETURN_LAST_ERROR_IF(!FlushFileBuffers(m_file.get()));
    m_file.reset();
    return S_OK;
}

void CBackupWriter::Abandon() noexcept
{
    if (m_file) {
        m_file.reset();
        DeleteFileW(m_path.c_str());
    }
}

HRESULT CBackupReader::Open(const std::wstring& path)
{
    m_file.reset(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                             nullptr));
    RETURN_LAST_ERROR_IF(!m_file);
    Header header{};
    RETURN_IF_FAILED(ReadAll(m_file.get(), &header, sizeof header));
    RETURN_HR_IF(kBadBackup, std::memcmp(header.magic, kMagic, sizeof header.magic) != 0 || header.version != kVersion);
    m_count = header.count;
    return S_OK;
}

HRESULT CBackupReader::Next(BackupRecord& record)
{
    RecordHeader header{};
    RETURN_IF_FAILED(ReadAll(m_file.get(), &header, sizeof header));
    RETURN_HR_IF(kBadBackup,
                 (header.kind != 1 && header.kind != 2) || header.nameLength == 0 || header.nameLength > kLongestName);
    std::wstring relative(header.nameLength, L'\0');
    RETURN_IF_FAILED(ReadAll(m_file.get(), relative.data(), header.nameLength * sizeof(wchar_t)));
    RETURN_HR_IF(kBadBackup, !IsSafeRelativePath(relative));
    record.folder = header.kind == 1;
    record.attributes = header.attributes;
    record.written.dwLowDateTime = static_cast<DWORD>(header.written & 0xFFFFFFFFu);
    record.written.dwHighDateTime = static_cast<DWORD>(header.written >> 32);
    record.size = record.folder ? 0 : header.size;
    record.relative = std::move(relative);
    return S_OK;
}

HRESULT CBackupReader::Skip(unsigned long long bytes)
{
    return Seek(m_file.get(), static_cast<LONGLONG>(bytes), FILE_CURRENT);
}

HRESULT CBackupReader::Rewind()
{
    return Seek(m_file.get(), kHeaderSize, FILE_BEGIN);
}

}  // namespace phonesim
