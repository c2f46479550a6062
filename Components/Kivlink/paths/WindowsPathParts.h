#pragma once
// The four parts of the Windows path split (_wsplitpath), computed without fixed buffers
// so that an over-long part is reported instead of written past its buffer.
#include <cstddef>
#include <string>
#include <string_view>

struct SWindowsPathParts {
    std::wstring drive;  // "E:" or empty
    std::wstring folder;  // up to and including the last "\" or "/"
    std::wstring fileName;  // the rest up to the last "."
    std::wstring extension;  // from the last "." on, the dot included
};

// The buffer sizes the parts must fit in, terminator included.
constexpr size_t kDriveBufferChars = 3;
constexpr size_t kFolderBufferChars = 256;
constexpr size_t kFileNameBufferChars = 256;
constexpr size_t kExtensionBufferChars = 256;

// Splits like _wsplitpath: the text ends at its first L'\0'. Always fills parts; answers
// false when a part would not fit its buffer.
bool SplitWindowsPath(std::wstring_view path, SWindowsPathParts& parts);
