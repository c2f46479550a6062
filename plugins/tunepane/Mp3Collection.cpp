#include "Mp3Collection.h"

#include "Mp3FolderWalk.h"

#include <windows.h>

#include <algorithm>

namespace tolv::tunepane {

namespace {

bool SameFile(const Mp3TransferRecord& left, const Mp3TransferRecord& right)
{
    return _wcsicmp(left.directory.c_str(), right.directory.c_str()) == 0 &&
           _wcsicmp(left.name.c_str(), right.name.c_str()) == 0;
}

void AppendExistingFile(const Mp3Row& row, Mp3TransferList& found)
{
    const std::wstring path = row.directory + L"\\" + row.name;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return;
    const unsigned long long bytes = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    found.push_back({row.directory, row.name, {}, SizeInKiB(bytes)});
}

}  // namespace

void RemoveDuplicates(Mp3TransferList& list)
{
    for (size_t index = 0; index < list.size(); ++index) {
        const Mp3TransferRecord kept = list[index];
        const auto later = list.begin() + static_cast<std::ptrdiff_t>(index) + 1;
        list.erase(std::remove_if(later, list.end(),
                                  [&kept](const Mp3TransferRecord& other) { return SameFile(kept, other); }),
                   list.end());
    }
}

Mp3TransferList CollectMp3Files(const std::vector<Mp3Row>& rows)
{
    Mp3TransferList found;
    for (const Mp3Row& row : rows) {
        if (IsFolderRow(row))
            WalkMp3Folder(row.directory, found);
        else
            AppendExistingFile(row, found);
    }
    RemoveDuplicates(found);
    return found;
}

}  // namespace tolv::tunepane
