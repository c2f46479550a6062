#include "platform/phonesim/FormatOperation.h"

#include <vector>

#include "com/HResult.h"
#include "platform/phonesim/FileFacts.h"

namespace phonesim {

HRESULT CFormatOperation::Perform()
{
    RETURN_IF_FAILED(Stopped());
    const std::wstring root = Phone().DriveFolder(m_drive);
    std::vector<std::wstring> folders;
    std::vector<std::wstring> files;
    RETURN_IF_FAILED(ListFolder(root, folders, files));
    const size_t total = folders.size() + files.size();
    if (!Progress(0, true)) {
        return Stopped();
    }
    for (size_t index = 0; index < total; ++index) {
        RETURN_IF_FAILED(Stopped());
        const bool folder = index < folders.size();
        const std::wstring path = JoinPath(root, folder ? folders[index] : files[index - folders.size()]);
        RETURN_IF_FAILED(folder ? RemoveTree(path) : DeleteAnyFile(path));
        m_removed = static_cast<LONG>(index + 1);
        const LONG percent = Percent(index + 1, total);
        if (!Progress(percent)) {
            return Stopped();
        }
        if ((index + 1) * 2 >= total) {
            RETURN_IF_FAILED(Midway(percent));
        }
    }
    if (total == 0) {
        RETURN_IF_FAILED(Midway(100));
    }
    Phone().Attributes().ForgetDrive(m_drive);
    Progress(100);
    return S_OK;
}

bool CFormatOperation::RaiseProgress(LONG percent)
{
    // Format progress has no answer; CancelRequest still stops it.
    RaiseFormatProgress(EventSinks(), RequestId(), m_removed, std::wstring{m_drive, L':'}, percent);
    return false;
}

void CFormatOperation::RaiseFailure(HRESULT error)
{
    RaiseFormatError(EventSinks(), RequestId(), m_removed, error);
}

void CFormatOperation::RaiseCompletion(HRESULT result)
{
    RaiseFormatComplete(EventSinks(), RequestId(), result);
}

}  // namespace phonesim
