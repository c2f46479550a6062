#pragma once
// Fitting a path into a text control's width: the drive ("E:") stays, "..." stands for what
// had to go from the front of the rest.
#include <functional>
#include <string>

namespace tolv::plugins {

// The width `text` takes on screen, in pixels.
using TextWidth = std::function<int(const std::wstring& text)>;

// `path` unchanged when it fits into `maxWidth`; else the part up to and including the first
// ":" (none without a colon), "..." and as much of the end of the rest as fits.
std::wstring ShortenPath(const std::wstring& path, int maxWidth, const TextWidth& width);

}  // namespace tolv::plugins
