#include "WindowsPathParts.h"

bool SplitWindowsPath(std::wstring_view path, SWindowsPathParts& parts)
{
    path = path.substr(0, path.find(L'\0'));
    parts = SWindowsPathParts{};

    if (path.size() >= 2 && path[1] == L':') {
        parts.drive.assign(path.substr(0, 2));
        path.remove_prefix(2);
    }

    size_t folderEnd = path.find_last_of(L"\\/");
    if (folderEnd != std::wstring_view::npos) {
        parts.folder.assign(path.substr(0, folderEnd + 1));
        path.remove_prefix(folderEnd + 1);
    }

    size_t dot = path.rfind(L'.');
    if (dot == std::wstring_view::npos)
        dot = path.size();
    parts.fileName.assign(path.substr(0, dot));
    parts.extension.assign(path.substr(dot));

    return parts.drive.size() < kDriveBufferChars && parts.folder.size() < kFolderBufferChars &&
           parts.fileName.size() < kFileNameBufferChars && parts.extension.size() < kExtensionBufferChars;
}
