#include "platform/phonesim/BackupOperation.h"

#include <vector>

#include "com/HResult.h"
#include "platform/phonesim/BackupArchive.h"
#include "platform/phonesim/FileFacts.h"

namespace phonesim {

HRESULT CBackupOperation::Perform()
{
    RETURN_IF_FAILED(Stopped());
    CBackupWriter writer;
    RETURN_IF_FAILED(writer.Create(m_target, m_drive));
    const HRESULT hr = Write(writer);
    if (FAILED(hr)) {
        writer.Abandon();
        return hr;
    }
    return writer.Finish();
}

HRESULT CBackupOperation::Write(CBackupWriter& writer)
{
    const std::wstring root = Phone().DriveFolder(m_drive);
    std::vector<TreeEntry> entries;
    RETURN_IF_FAILED(ListTree(root, entries));
    unsigned long long total = 0;
    std::vector<EntryFacts> facts(entries.size());
    for (size_t index = 0; index < entries.size(); ++index) {
        if (SUCCEEDED(ReadEntryFacts(JoinPath(root, entries[index].relative), facts[index])) &&
            !entries[index].folder) {
            total += facts[index].size;
        }
    }
    if (!Progress(0, true)) {
        return Stopped();
    }
    unsigned long long done = 0;
    for (size_t index = 0; index < entries.size(); ++index) {
        RETURN_IF_FAILED(Stopped());
        const TreeEntry& entry = entries[index];
        m_fileNumber = static_cast<LONG>(index + 1);
        m_fileName = std::wstring{m_drive, L':', L'\\'} + entry.relative;
        BackupRecord record;
        record.folder = entry.folder;
        record.relative = entry.relative;
        record.written = facts[index].lastWrite;
        record.attributes = Phone().Attributes().Read(m_drive, entry.relative, facts[index]);
        if (entry.folder) {
            RETURN_IF_FAILED(writer.Add(record));
            continue;
        }
        const std::wstring path = JoinPath(root, entry.relative);
        tolv::com::unique_handle source(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        LARGE_INTEGER length{};
        if (!source || !GetFileSizeEx(source.get(), &length)) {
            const HRESULT error = tolv::com::HResultFromLastError();
            if (RaiseStorageError(EventSinks(), evBackupError, RequestId(), m_fileNumber, error, true)) {
                return error;
            }
            done += facts[index].size;
            continue;
        }
        record.size = static_cast<unsigned long long>(length.QuadPart);
        RETURN_IF_FAILED(writer.Add(record));
        RETURN_IF_FAILED(MoveBytes(source.get(), writer.Handle(), record.size, done, total));
    }
    RETURN_IF_FAILED(Midway(100));
    Progress(100);
    return S_OK;
}

bool CBackupOperation::RaiseProgress(LONG percent)
{
    return RaiseStorageProgress(EventSinks(), evBackupProgress, RequestId(), m_fileNumber, m_fileName, percent);
}

void CBackupOperation::RaiseFailure(HRESULT error)
{
    RaiseStorageError(EventSinks(), evBackupError, RequestId(), m_fileNumber, error, false);
}

void CBackupOperation::RaiseCompletion(HRESULT result)
{
    RaiseStorageComplete(EventSinks(), evBackupComplete, RequestId(), m_target, result);
}

}  // namespace phonesim
