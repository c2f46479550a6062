// What the environment service reports about the machine, the user and the installation.
// Each answer is read when asked; nothing is cached.
#pragma once

#include <string>

#include <windows.h>

namespace envserver {

// Values under HKLM "Software\Vostrel\Pellary"; empty or 0 when missing.
std::wstring ReadSuiteString(const wchar_t* name);
DWORD ReadSuiteNumber(const wchar_t* name);

// InstallationPath, then the given sub-folder of it; empty when the suite is not installed.
std::wstring InstallationSubfolder(const wchar_t* relative);

HRESULT LogonUserName(std::wstring& name);
HRESULT MachineName(std::wstring& name);
// The fixed file version of a module's version resource, as "a.b.c.d".
HRESULT FileVersion(const std::wstring& path, std::wstring& version);
HRESULT WindowsVersion(std::wstring& version);
// A shell folder (CSIDL_...), optionally with a sub-folder appended.
HRESULT ShellFolder(int csidl, const wchar_t* relative, std::wstring& path);
HRESULT TempFolder(std::wstring& path);
HRESULT ExpandEnvironment(const wchar_t* text, std::wstring& expanded);
HRESULT EnvironmentVariable(const wchar_t* name, std::wstring& value);

long TimeZoneBiasMinutes();
long ProcessorCount();
long PhysicalMemoryMegabytes();
bool IsWindows64Bit();
long ScreenDpi();

}  // namespace envserver
