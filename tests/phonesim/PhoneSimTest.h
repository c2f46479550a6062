// Every cross-process test talks to the registered phonesim.exe. The fixture starts each
// test with one default phone (drives backed by a fresh folder), no faults and no rate limit,
// and disconnects every phone at its end.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SymbianConnect.h"
#include "com/ComInit.h"
#include "com/ComPtr.h"
#include "com/UniqueBstr.h"
#include "tests/TestTree.h"
#include "tests/support/ChildProcess.h"

inline constexpr wchar_t kDefaultPhone[] = L"354812013456789";

struct ProgramRun {
    long exitCode = -1;
    std::string output;  // stdout and stderr, in arrival order
};

// Runs phonesim.exe (built next to the test program) and collects what it prints.
ProgramRun RunPhoneSim(const std::wstring& arguments, DWORD timeoutMs = 60000);

// Creates and empties a folder below the temporary folder; removes it again.
std::wstring FreshFolder(const std::wstring& name);
void WriteTextFile(const std::wstring& path, const std::string& content);
std::string ReadTextFile(const std::wstring& path);
// A file of `size` bytes of a repeating pattern.
void WritePatternFile(const std::wstring& path, size_t size);
unsigned long long FileSizeOf(const std::wstring& path);
bool FileExists(const std::wstring& path);

// The application object created the way Kivlink does it: all contexts for IUnknown, OleRun,
// then the application interface.
tolv::com::com_ptr<ISCApplication> CreateApplication();
tolv::com::com_ptr<IPhoneSimControl> CreateControl();

std::wstring Text(BSTR text);
tolv::com::com_ptr<ISCDevice> DeviceAt(ISCApplication* application, LONG index);
tolv::com::com_ptr<ISCDevice> DeviceNamed(ISCApplication* application, const std::wstring& name);
tolv::com::com_ptr<ISCDrive> DriveNamed(ISCDevice* device, const wchar_t* name);
tolv::com::com_ptr<ISCFolder> RootOf(ISCDevice* device, const wchar_t* drive);
tolv::com::com_ptr<ISCFolder> ChildFolder(ISCFolder* folder, const std::wstring& name);
tolv::com::com_ptr<ISCFile> ChildFile(ISCFolder* folder, const std::wstring& name);
std::vector<std::wstring> FolderNames(ISCFolder* folder);
std::vector<std::wstring> FileNames(ISCFolder* folder);

class PhoneSimTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The PC folder that backs a drive of the default phone.
    std::wstring DriveFolder(wchar_t drive) const;
    tolv::com::com_ptr<ISCFolder> Root(wchar_t drive);

    tolv::com::com_init com{COINIT_MULTITHREADED};
    tolv::com::com_ptr<IPhoneSimControl> control;
    tolv::com::com_ptr<ISCApplication> application;
    std::wstring root;  // the phones' folder
    std::wstring pcSide;  // a folder for the PC's own files
};
