// The PC file a drive is backed up into: a header, then one record per folder and file
// (folders before their content), each file record followed by the file's bytes.
//
//   header: "PHONESIM-BACKUP" and a zero (16 bytes), version 1 (4 bytes), drive letter
//           (2 bytes), 2 reserved bytes, record count (4 bytes)
//   record: kind 1 folder / 2 file (4 bytes), phone attributes (4), write time as FILETIME
//           ticks (8), size (8), name length in UTF-16 units (4), the relative path
//           ("Images\a.jpg"), then `size` bytes for a file
// Numbers are little-endian.
#pragma once

#include <string>

#include <windows.h>

#include "com/UniqueHandle.h"

namespace phonesim {

struct BackupRecord {
    bool folder = false;
    DWORD attributes = 0;
    FILETIME written{};
    unsigned long long size = 0;
    std::wstring relative;
};

class CBackupWriter {
public:
    HRESULT Create(const std::wstring& path, wchar_t drive);
    // The record's header; a file's bytes follow through Handle().
    HRESULT Add(const BackupRecord& record);
    // Writes the record count into the header.
    HRESULT Finish();
    HANDLE Handle() const noexcept { return m_file.get(); }
    void Abandon() noexcept;

private:
    tolv::com::unique_handle m_file;
    std::wstring m_path;
    DWORD m_count = 0;
};

class CBackupReader {
public:
    // kBadBackup for a file that is not a backup.
    HRESULT Open(const std::wstring& path);
    DWORD Count() const noexcept { return m_count; }
    // The next record's header; a file's bytes follow through Handle() or are skipped.
    // kBadBackup for a damaged record or a path that would leave the drive.
    HRESULT Next(BackupRecord& record);
    HRESULT Skip(unsigned long long bytes);
    HRESULT Rewind();
    HANDLE Handle() const noexcept { return m_file.get(); }

private:
    tolv::com::unique_handle m_file;
    DWORD m_count = 0;
};

}  // namespace phonesim
