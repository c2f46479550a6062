// One registry value changed for a test and put back exactly as it was at the end.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <windows.h>

class CRegistryValueGuard {
public:
    CRegistryValueGuard(HKEY root, const wchar_t* subkey, const wchar_t* name);
    ~CRegistryValueGuard();
    CRegistryValueGuard(const CRegistryValueGuard&) = delete;
    CRegistryValueGuard& operator=(const CRegistryValueGuard&) = delete;

    void SetDword(DWORD value);
    void SetString(const wchar_t* value);
    void Remove();
    // The stored DWORD, if the value is one.
    std::optional<DWORD> ReadDword() const;

private:
    struct Saved {
        DWORD type;
        std::vector<BYTE> data;
    };
    HKEY m_root;
    std::wstring m_subkey;
    std::wstring m_name;
    std::optional<Saved> m_saved;
};

// The suite's per-user language choice.
class CSuiteLanguageSetting : public CRegistryValueGuard {
public:
    CSuiteLanguageSetting() : CRegistryValueGuard(HKEY_CURRENT_USER, L"Software\\Vostrel\\Pellary", L"Language") {}
};
