// The parts of a text that code relies on and a translation must keep: its inserts ("%s",
// "%d", "%1" ...), its line breaks and the "|" separators of a file-dialog filter.
#pragma once

#include <string>

// A comparable description of those parts, in a fixed order whatever order the text has them
// in (a translation may move an insert within its sentence).
std::wstring TextShape(const std::wstring& text);
