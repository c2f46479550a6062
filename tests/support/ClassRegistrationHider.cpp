#include "tests/support/ClassRegistrationHider.h"

CClassRegistrationHider::CClassRegistrationHider(const wchar_t* classKey)
{
    const std::wstring key = std::wstring(L"Software\\Classes\\") + classKey;
    const std::wstring backup =
        L"Software\\Vostrel\\PellaryTests\\HiddenClasses\\" + std::to_wstring(GetCurrentProcessId());
    int index = 0;
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        HKEY source = nullptr;
        if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &source) != ERROR_SUCCESS)
            continue;
        const std::wstring saved = backup + L"\\" + std::to_wstring(index++);
        HKEY target = nullptr;
        bool copied = RegCreateKeyExW(HKEY_CURRENT_USER, saved.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target,
                                      nullptr) == ERROR_SUCCESS &&
                      RegCopyTreeW(source, nullptr, target) == ERROR_SUCCESS;
        if (target)
            RegCloseKey(target);
        RegCloseKey(source);
        if (copied && RegDeleteTreeW(root, key.c_str()) == ERROR_SUCCESS)
            m_hidden.push_back({root, key, saved});
    }
}

CClassRegistrationHider::~CClassRegistrationHider()
{
    for (const Hidden& hidden : m_hidden) {
        HKEY source = nullptr;
        HKEY target = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, hidden.backup.c_str(), 0, KEY_READ, &source) == ERROR_SUCCESS &&
            RegCreateKeyExW(hidden.root, hidden.key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target,
                            nullptr) == ERROR_SUCCESS &&
            RegCopyTreeW(source, nullptr, target) == ERROR_SUCCESS) {
            RegCloseKey(source);
            source = nullptr;
            RegDeleteTreeW(HKEY_CURRENT_USER, hidden.backup.c_str());
        }
        if (source)
            RegCloseKey(source);
        if (target)
            RegCloseKey(target);
    }
    // Only empty keys go: a restore that failed leaves its copy behind.
    const std::wstring backup =
        L"Software\\Vostrel\\PellaryTests\\HiddenClasses\\" + std::to_wstring(GetCurrentProcessId());
    RegDeleteKeyW(HKEY_CURRENT_USER, backup.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Vostrel\\PellaryTests\\HiddenClasses");
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Vostrel\\PellaryTests");
}
