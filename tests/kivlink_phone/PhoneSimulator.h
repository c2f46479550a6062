#pragma once
// The phone simulator from a test: its control verbs run as a process, its backing folders,
// and hiding its class registration for tests that need a machine without a phone library.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/ClassRegistrationHider.h"

extern const wchar_t* const kSimulatedPhone;
extern const wchar_t* const kPhoneLibraryClsidKey;  // "CLSID\{98C34439-...}"

// Runs "phonesim.exe arguments" next to the test program; its exit code, or a negative
// value when it did not run or end.
long RunPhoneSim(const std::wstring& arguments);
// The folder below which this test process's simulated phones keep their drives.
std::wstring PhoneSimRoot();
// "connect" of the default phone with its drives below PhoneSimRoot(), plus extra options.
long ConnectPhone(const std::wstring& options = L"");
long DisconnectPhones();
// Disconnects every phone and waits until the simulator's server has ended.
bool EndPhoneSim(DWORD timeoutMs = 20000);
