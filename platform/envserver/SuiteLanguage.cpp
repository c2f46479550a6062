#include "platform/envserver/SuiteLanguage.h"

#include "platform/envserver/UniqueRegistryKey.h"

namespace envserver {

namespace {

constexpr wchar_t kSuiteKey[] = L"Software\\Vostrel\\Pellary";
constexpr wchar_t kLanguageValue[] = L"Language";

struct LanguageCode {
    LANGID language;
    const wchar_t* code;
};

constexpr LanguageCode kCodes[] = {
    {1025, L"AR_SA"}, {1027, L"CA_ES"}, {1028, L"ZH_TW"}, {1029, L"CS_CZ"}, {1030, L"DA_DK"}, {1031, L"DE_DE"},
    {1032, L"EL_GR"}, {1033, L"EN_US"}, {1035, L"FI_FI"}, {1036, L"FR_FR"}, {1037, L"HE_IL"}, {1038, L"HU_HU"},
    {1040, L"IT_IT"}, {1043, L"NL_NL"}, {1044, L"NO_NO"}, {1045, L"PL_PL"}, {1046, L"PT_BR"}, {1049, L"RU_RU"},
    {1053, L"SV_SE"}, {1055, L"TR_TR"}, {2052, L"ZH_CN"}, {2057, L"EN_UK"}, {2058, L"ES_MX"}, {2070, L"PT_PT"},
    {3082, L"ES_ES"}, {3084, L"FR_CA"},
};

}  // namespace

LANGID ReadSuiteLanguage()
{
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, kSuiteKey, kLanguageValue, RRF_RT_ANY, &type, &value, &size);
    // Anything but a DWORD holding a non-neutral LANGID is not a choice.
    if (status == ERROR_SUCCESS && type == REG_DWORD && size == sizeof value && value != 0 && value <= 0xFFFF) {
        return static_cast<LANGID>(value);
    }
    return GetUserDefaultUILanguage();
}

HRESULT WriteSuiteLanguage(LANGID language)
{
    HKEY opened = nullptr;
    LSTATUS status =
        RegCreateKeyExW(HKEY_CURRENT_USER, kSuiteKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr);
    if (status != ERROR_SUCCESS) {
        return HRESULT_FROM_WIN32(status);
    }
    const unique_hkey key(opened);
    if (language == 0) {
        status = RegDeleteValueW(key.get(), kLanguageValue);
        return status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
    }
    const DWORD value = language;
    status =
        RegSetValueExW(key.get(), kLanguageValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    return HRESULT_FROM_WIN32(status);
}

const wchar_t* SuiteLanguageCode(LANGID language)
{
    for (const LanguageCode& entry : kCodes) {
        if (entry.language == language) {
            return entry.code;
        }
    }
    return L"EN_US";
}

}  // namespace envserver
