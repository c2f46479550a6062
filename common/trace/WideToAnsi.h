// Wide text in the ANSI code page, for narrow trace files.
#pragma once
#include <cstddef>
#include <string>

namespace tolv::trace {

// length: characters of text to convert; characters the code page lacks become its default.
std::string WideToAnsi(const wchar_t* text, size_t length);
std::string WideToAnsi(const wchar_t* text);

}  // namespace tolv::trace
