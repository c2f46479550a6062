// The two ends of a window program's command line: its arguments, and the lines it writes to
// standard error. The page frame and the host share them.
#pragma once

#include <string>
#include <vector>

namespace pageframe {

// The arguments after the program's own name, as CommandLineToArgvW splits them.
std::vector<std::wstring> ProgramArguments();

// A window program has no console: the line goes to whoever started it with a standard error
// (a test's pipe), at once.
void ReportOnStandardError(const std::wstring& line);

}  // namespace pageframe
