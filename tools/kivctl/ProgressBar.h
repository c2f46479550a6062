// The progress line of a long operation, drawn over itself with "\r" on standard error.
#pragma once

#include <string>

// One line of exactly `width` characters (at least the bar and its percentage; a longer label
// is shortened in its middle with "..."): "label [#####.....]  50%". The percentage is held
// to 0..100.
std::wstring RenderProgressLine(const std::wstring& label, long percentage, size_t width);
