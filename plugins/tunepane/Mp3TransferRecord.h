#pragma once
// One file of an upload and the list the job builds of them. The list is a vector: removing an
// entry moves every later one down, so the indexes stay dense, as the transfer counts them.
#include <string>
#include <vector>

namespace tolv::tunepane {

struct Mp3TransferRecord {
    std::wstring directory;  // the PC folder, without a trailing backslash
    std::wstring name;  // the PC file's name
    std::wstring targetName;  // the name on the phone; empty until the names are assigned
    long sizeKiB = 0;  // the file's size in units of 1024 bytes, truncated

    std::wstring SourcePath() const { return directory + L"\\" + name; }
};

using Mp3TransferList = std::vector<Mp3TransferRecord>;

// Whole units of 1024 bytes in a file of `bytes`: a file under 1 KiB counts as 0.
long SizeInKiB(unsigned long long bytes);

}  // namespace tolv::tunepane
