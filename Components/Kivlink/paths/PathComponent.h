#pragma once
// One name between separators of a phone path, and whether it may name a file or folder.
// Windows reads a name made only of dots and spaces ("..", ". .") as a step up or as the
// folder itself, so such a name could steer a PC file operation outside its folder: it is
// never a name, on the phone or in the temporary folder.
#include <string_view>

// Only dots and spaces, at least one character.
bool IsDotName(std::wstring_view name);
// A name that stays where it is put: not empty, not a dot name, without separators (either
// slash), drive colons, wildcards, quotes, angle brackets, bars or control characters.
bool IsPlainName(std::wstring_view name);
