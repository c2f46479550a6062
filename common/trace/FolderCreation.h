// Creating a folder together with every missing parent folder.
#pragma once

namespace tolv::trace {

// True when the folder exists as a directory afterwards.
bool CreateFolderWithParents(const char* folder) noexcept;

}  // namespace tolv::trace
