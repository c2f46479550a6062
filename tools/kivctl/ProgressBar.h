// The progress line of a long operation: on a console drawn over itself with "\r" on standard
// error, in a log one line per step.
#pragma once

#include <string>

// One line of exactly `width` characters (at least the bar and its percentage; a longer label
// is shortened in its middle with "..."): "label [#####.....]  50%". The percentage is held
// to 0..100.
std::wstring RenderProgressLine(const std::wstring& label, long percentage, size_t width);

// The same percentage as a log line: "label  10%", "label 100%".
std::wstring RenderLogProgressLine(const std::wstring& label, long percentage);
