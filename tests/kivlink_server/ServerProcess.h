#pragma once
// Finding and running Kivlink.exe from a test: it is built next to the test programs.
#include <windows.h>

#include <string>
#include <vector>

std::wstring BinaryPath(const wchar_t* fileName);
// Runs the program with the arguments and returns its exit code (or -1 when it did not end
// within the time-out).
long RunAndWait(const std::wstring& program, const std::wstring& arguments, DWORD timeoutMs = 60000);
bool StartProcess(const std::wstring& program, const std::wstring& arguments, PROCESS_INFORMATION& started);
std::vector<DWORD> ProcessIdsOf(const wchar_t* exeName);
// Waits until no process of that name is left; returns the time it took, or -1.
long WaitUntilGone(const wchar_t* exeName, DWORD timeoutMs);
bool KeyExists(HKEY root, const std::wstring& path);
std::wstring ReadDefaultValue(HKEY root, const std::wstring& path, const wchar_t* value = nullptr);
