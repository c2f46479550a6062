#include "platform/phonesim/EntryMoves.h"

#include "com/HResult.h"
#include "platform/phonesim/FileFacts.h"
#include "platform/phonesim/SimResults.h"

namespace phonesim {

HRESULT MoveEntry(CSimPhone& phone, const PhonePath& from, const PhonePath& to, bool folder)
{
    RETURN_HR_IF(E_INVALIDARG, !phone.HasDrive(to.drive) || to.IsRoot() || from.IsRoot());
    const std::wstring source = phone.PcPath(from);
    const std::wstring target = phone.PcPath(to);
    RETURN_HR_IF(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), !IsExistingFolder(phone.PcPath(to.Parent())));
    if (folder) {
        // A folder cannot go into itself or below itself.
        const std::wstring prefix = source + L"\\";
        RETURN_HR_IF(E_INVALIDARG, target.size() > prefix.size() && SameName(target.substr(0, prefix.size()), prefix));
    }
    const bool sameEntry = SameName(source, target);
    if (!sameEntry && GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return kAlreadyExists;
    }
    RETURN_LAST_ERROR_IF(!MoveFileExW(source.c_str(), target.c_str(), folder ? 0 : MOVEFILE_COPY_ALLOWED));
    if (!folder) {
        phone.Attributes().Move(from.drive, from.Relative(), to.drive, to.Relative());
    }
    return S_OK;
}

}  // namespace phonesim
