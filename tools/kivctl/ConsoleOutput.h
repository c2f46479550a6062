// Text to standard output and standard error: wide characters to a console, UTF-8 to a file
// or pipe. Every call writes at once, so lines keep their order between the two streams.
#pragma once

#include <string>

void WriteOut(const std::wstring& text);
void WriteError(const std::wstring& text);
// Standard output followed by a line end.
void WriteOutLine(const std::wstring& text);
void WriteErrorLine(const std::wstring& text);

// Whether standard error is a console (else a file or a pipe, where "\r" does not redraw).
bool ErrorIsConsole();

// Characters per line of the console behind standard error, or 80 when it is not one.
size_t ErrorConsoleWidth();
