#pragma once
// Finding the MP3 files of a folder row: the folder and every folder below it, except hidden
// folders and folders whose names begin with ".". Runs on any thread; it works with absolute
// paths and leaves the process's current directory alone (a host process shares it with every
// thread).
#include "plugins/tunepane/Mp3TransferRecord.h"

#include <string>

namespace tolv::tunepane {

// Whether `name` ends with ".Mp3" in any letter case.
bool HasMp3Extension(const std::wstring& name);

// Appends the MP3 files below `folder` to `found`, each folder's entries in the order the file
// system lists them, a subfolder's files where the subfolder is met.
void WalkMp3Folder(const std::wstring& folder, Mp3TransferList& found);

}  // namespace tolv::tunepane
