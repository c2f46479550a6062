// What the folder chooser accepts as a PC folder typed or picked by the user: a full path
// from a drive letter, whose folder names Windows can hold, naming a folder that exists.
#pragma once

#include <string_view>

namespace tolv::plugins {

// The longest path the chooser's edit box holds (MAX_PATH).
constexpr size_t kMaxFolderPathLength = 260;

// The path's form alone: longer than two characters and at most kMaxFolderPathLength, a
// letter, ":" and "\" first; then folder names separated by "\", each non-empty, none
// beginning or ending with a blank, a tab or ".", none holding < " * / : > ? or |. The drive's
// root ("C:\") has no folder names and is well formed.
bool IsWellFormedFolderPath(std::wstring_view path) noexcept;

// True when the path names an existing folder (not a file).
bool IsExistingFolder(std::wstring_view path) noexcept;

// Both: the chooser's condition for closing with OK.
bool IsAcceptableFolder(std::wstring_view path) noexcept;

}  // namespace tolv::plugins
