#include "PhoneSimulator.h"

#include "tests/support/ChildProcess.h"
#include "tests/TestTree.h"

const wchar_t* const kSimulatedPhone = L"354812013456789";
const wchar_t* const kPhoneLibraryClsidKey = L"CLSID\\{98C34439-558E-4BDE-AC27-25D53A202E95}";

long RunPhoneSim(const std::wstring& arguments)
{
    return RunAndWait(BinaryPath(L"phonesim.exe"), arguments, 60000);
}

std::wstring PhoneSimRoot()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring root = std::wstring(temp) + L"KivlinkPhoneTest" + std::to_wstring(GetCurrentProcessId());
    // Wine hands out process ids again soon: a root left by an earlier run under the same id
    // would show its files on this run's phone.
    static const bool fresh = RemoveTestTree(root);
    (void)fresh;
    CreateDirectoryW(root.c_str(), nullptr);
    return root;
}

long ConnectPhone(const std::wstring& options)
{
    return RunPhoneSim(L"connect --root \"" + PhoneSimRoot() + L"\" " + options);
}

long DisconnectPhones()
{
    return RunPhoneSim(L"disconnect");
}

bool EndPhoneSim(DWORD timeoutMs)
{
    if (!ProcessIdsOf(L"phonesim.exe").empty())
        DisconnectPhones();
    return WaitUntilGone(L"phonesim.exe", timeoutMs) >= 0;
}
