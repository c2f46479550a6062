// Hiding a COM class from the machine for a test that needs it missing.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Moves a class's registration (under the machine's and the user's classes) aside and puts
// it back exactly, values and subkeys, when the guard goes.
class CClassRegistrationHider {
public:
    explicit CClassRegistrationHider(const wchar_t* classKey);
    ~CClassRegistrationHider();
    CClassRegistrationHider(const CClassRegistrationHider&) = delete;
    CClassRegistrationHider& operator=(const CClassRegistrationHider&) = delete;

    bool Hid() const { return !m_hidden.empty(); }

private:
    struct Hidden {
        HKEY root;
        std::wstring key;
        std::wstring backup;
    };
    std::vector<Hidden> m_hidden;
};
