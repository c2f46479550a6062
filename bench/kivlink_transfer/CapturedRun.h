#pragma once
// Runs a console verb of a helper program with its output going to a file instead of the
// benchmark's own report, and hands the output back.
#include <windows.h>

#include <string>

struct CapturedRun {
    long exitCode = -2;  // -2 did not start, -1 did not end in time
    std::string output;
};

CapturedRun RunCaptured(const std::wstring& program, const std::wstring& arguments, const std::wstring& outputFile,
                        DWORD timeoutMs);
