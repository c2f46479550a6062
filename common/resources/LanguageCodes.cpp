#include "resources/LanguageCodes.h"

namespace tolv::resources {

namespace {

struct LanguageCodeEntry {
    LANGID language;
    const wchar_t* code;
};

constexpr LanguageCodeEntry kLanguageCodes[] = {
    {1025, L"AR_SA"}, {1027, L"CA_ES"}, {1028, L"ZH_TW"}, {1029, L"CS_CZ"}, {1030, L"DA_DK"}, {1031, L"DE_DE"},
    {1032, L"EL_GR"}, {1033, L"EN_US"}, {1035, L"FI_FI"}, {1036, L"FR_FR"}, {1037, L"HE_IL"}, {1038, L"HU_HU"},
    {1040, L"IT_IT"}, {1043, L"NL_NL"}, {1044, L"NO_NO"}, {1045, L"PL_PL"}, {1046, L"PT_BR"}, {1049, L"RU_RU"},
    {1053, L"SV_SE"}, {1055, L"TR_TR"}, {2052, L"ZH_CN"}, {2057, L"EN_UK"}, {2058, L"ES_MX"}, {2070, L"PT_PT"},
    {3082, L"ES_ES"}, {3084, L"FR_CA"},
};

constexpr const wchar_t* kOtherLanguageCode = L"EN_US";

}  // namespace

const wchar_t* LanguageCode(LANGID language) noexcept
{
    for (const LanguageCodeEntry& entry : kLanguageCodes) {
        if (entry.language == language) {
            return entry.code;
        }
    }
    return kOtherLanguageCode;
}

}  // namespace tolv::resources
