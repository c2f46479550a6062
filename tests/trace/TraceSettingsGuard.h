// Changes the machine-wide trace settings (HKLM "Software\Vostrel\Pellary") for one test or
// benchmark and puts back exactly what was there before, subkeys included.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace tolv::trace::testing {

class CTraceSettingsGuard {
public:
    CTraceSettingsGuard();
    ~CTraceSettingsGuard();
    CTraceSettingsGuard(const CTraceSettingsGuard&) = delete;
    CTraceSettingsGuard& operator=(const CTraceSettingsGuard&) = delete;

    // Creates the key when missing.
    void SetDword(const char* name, DWORD value);
    void SetString(const char* name, const std::string& value);
    void DeleteValue(const char* name);
    // Removes every trace value, leaving an existing but empty key.
    void ClearTraceValues();
    // Removes the key with everything below it.
    void DeleteKey();

    struct KeyImage {
        struct Value {
            std::wstring name;
            DWORD type = REG_NONE;
            std::vector<BYTE> data;
        };
        std::wstring name;
        std::vector<Value> values;
        std::vector<KeyImage> subkeys;
    };

private:
    bool m_existed = false;
    KeyImage m_saved;
};

}  // namespace tolv::trace::testing
