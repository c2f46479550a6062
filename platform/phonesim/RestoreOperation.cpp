#include "platform/phonesim/RestoreOperation.h"

#include "com/HResult.h"
#include "platform/phonesim/BackupArchive.h"
#include "platform/phonesim/FileFacts.h"
#include "platform/phonesim/OleDate.h"
#include "platform/phonesim/SimResults.h"

namespace phonesim {

namespace {

std::wstring FolderPart(const std::wstring& relative)
{
    const size_t cut = relative.find_last_of(L'\\');
    return cut == std::wstring::npos ? std::wstring() : relative.substr(0, cut);
}

std::wstring NamePart(const std::wstring& relative)
{
    const size_t cut = relative.find_last_of(L'\\');
    return cut == std::wstring::npos ? relative : relative.substr(cut + 1);
}

}  // namespace

HRESULT CRestoreOperation::Perform()
{
    RETURN_IF_FAILED(Stopped());
    CBackupReader reader;
    RETURN_IF_FAILED(reader.Open(m_source));
    // A first pass checks every record and sums the bytes for the progress.
    unsigned long long total = 0;
    BackupRecord record;
    for (DWORD index = 0; index < reader.Count(); ++index) {
        RETURN_IF_FAILED(reader.Next(record));
        total += record.size;
        RETURN_IF_FAILED(reader.Skip(record.size));
    }
    RETURN_IF_FAILED(reader.Rewind());
    if (!Progress(0, true)) {
        return Stopped();
    }
    const std::wstring root = Phone().DriveFolder(m_drive);
    unsigned long long done = 0;
    for (DWORD index = 0; index < reader.Count(); ++index) {
        RETURN_IF_FAILED(Stopped());
        RETURN_IF_FAILED(reader.Next(record));
        m_fileNumber = static_cast<LONG>(index + 1);
        m_fileName = std::wstring{m_drive, L':', L'\\'} + record.relative;
        if (record.folder) {
            RETURN_IF_FAILED(CreateFolderChain(JoinPath(root, record.relative)));
            continue;
        }
        const std::wstring folderRelative = FolderPart(record.relative);
        const std::wstring folder = JoinPath(root, folderRelative);
        RETURN_IF_FAILED(CreateFolderChain(folder));
        std::wstring name = NamePart(record.relative);
        const HRESULT decision = ResolveExisting(evRestoreExistingFile, m_fileName, folder, name,
                                                 FileTimeToOleDate(record.written), record.size);
        if (decision == kTargetKept) {
            RETURN_IF_FAILED(reader.Skip(record.size));
            done += record.size;
            continue;
        }
        RETURN_IF_FAILED(decision);
        const std::wstring relative = JoinPath(folderRelative, name);
        const std::wstring target = JoinPath(root, relative);
        if (IsExistingFile(target)) {
            RETURN_IF_FAILED(DeleteAnyFile(target));
        }
        tolv::com::unique_handle file(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                                  FILE_ATTRIBUTE_NORMAL, nullptr));
        RETURN_LAST_ERROR_IF(!file);
        HRESULT hr = MoveBytes(reader.Handle(), file.get(), record.size, done, total);
        if (SUCCEEDED(hr) && !SetFileTime(file.get(), nullptr, nullptr, &record.written)) {
            hr = tolv::com::HResultFromLastError();
        }
        file.reset();
        if (SUCCEEDED(hr)) {
            hr = Phone().Attributes().Write(m_drive, relative, target, record.attributes);
        }
        if (FAILED(hr)) {
            DeleteAnyFile(target);
            return hr;
        }
    }
    RETURN_IF_FAILED(Midway(100));
    Progress(100);
    return S_OK;
}

bool CRestoreOperation::RaiseProgress(LONG percent)
{
    return RaiseStorageProgress(EventSinks(), evRestoreProgress, RequestId(), m_fileNumber, m_fileName, percent);
}

void CRestoreOperation::RaiseFailure(HRESULT error)
{
    RaiseStorageError(EventSinks(), evRestoreError, RequestId(), m_fileNumber, error, false);
}

void CRestoreOperation::RaiseCompletion(HRESULT result)
{
    RaiseStorageComplete(EventSinks(), evRestoreComplete, RequestId(), m_source, result);
}

}  // namespace phonesim
