// Text for the person at the terminal. The program is a Windows (GUI) program, so that COM
// can start it without a console window; its text goes to the standard handles it was given
// (a Wine terminal, a pipe, a file), else to the console of the process that started it.
#pragma once

#include <string>

namespace phonesim {

void WriteOutput(const std::wstring& text);
void WriteError(const std::wstring& text);

}  // namespace phonesim
