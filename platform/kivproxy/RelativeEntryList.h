// Kivlink's ListEntries answers every entry as its full phone path ("C:\MP3\a.mp3,"); the
// proxy's callers build an entry's path as folder + "\" + piece, so they are handed the names
// relative to the listed folder ("a.mp3,", and "Sub\b.mp3," in a recursive listing).
#pragma once

#include <string>
#include <string_view>

namespace kivproxy {

// The part of every full path that lies below `folder`. The format stays Kivlink's: every
// name followed by ",". Phone paths are compared without regard to letter case; a folder
// whose last component is a wildcard pattern lists its parent. A name outside the folder
// (which Kivlink never answers) is passed on unchanged rather than lost.
std::wstring RelativeEntryList(std::wstring_view folder, std::wstring_view fullPaths);

}  // namespace kivproxy
