// Reading back what a trace wrote.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tolv::trace::testing {

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// -1 when the file is missing.
std::int64_t FileSize(const std::string& path);
// The bytes as stored (CR LF line ends included); empty when missing.
std::string ReadFileBytes(const std::string& path);
// Lines split at CR LF; a line end without its CR is kept inside the line so tests see it.
std::vector<std::string> ReadLines(const std::string& path);
// Names of the entries of a folder, "." and ".." left out.
std::vector<std::string> FolderEntries(const std::string& folder);

}  // namespace tolv::trace::testing
