// The program file named by a LocalServer32 registration, which may be quoted and may carry
// arguments ("\"C:\Program Files\Kivlink.exe\" /automation", C:\Kivlink.exe -Embedding).
#pragma once

#include <string>

std::wstring LocalServerExecutable(const std::wstring& command);
