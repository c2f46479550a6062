// The text of `kivctl --help`.
#pragma once

#include <string>

std::wstring UsageText();
// The line after a usage error.
std::wstring UsageHint();
