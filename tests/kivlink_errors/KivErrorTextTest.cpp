// Failure texts: Kivlink's own codes from the string table, the others from the system, the
// rest as the formatted "unknown error" string, all in the language asked for.
#include <gtest/gtest.h>

#include <string>

#include "Components/Kivlink/errors/KivErrorText.h"
#include "Components/Kivlink/errors/KivlinkStringIds.h"
#include "KivlinkLib.h"

namespace {

constexpr LANGID kNeutral = 0;
constexpr LANGID kEnglish = 1033;
constexpr LANGID kGerman = 1031;
constexpr LANGID kJapanese = 1041;  // a language without a string table

std::string ErrorText(HRESULT hr, LANGID language)
{
    return KivErrorText(hr, language, GetModuleHandleW(nullptr), nullptr);
}

std::string SystemMessage(HRESULT hr, LANGID language)
{
    char buffer[260];
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        static_cast<DWORD>(hr), language, buffer, sizeof buffer, nullptr);
    return std::string(buffer, length);
}

}  // namespace

TEST(KivErrorText, OwnCodesMapToTheirStrings)
{
    EXPECT_EQ(KivErrorStringId(KIV_E_SCQIRESPONSETIMEOUT), UINT{IDS_SCQI_RESPONSE_TIMEOUT});
    EXPECT_EQ(KivErrorStringId(KIV_E_FILEEXISTSALREADY), UINT{IDS_FILE_EXISTS_ALREADY});
    EXPECT_EQ(KivErrorStringId(KIV_E_FILENOTFOUND), UINT{IDS_FILE_NOT_FOUND});
    EXPECT_EQ(KivErrorStringId(KIV_E_NOCONNECTION), UINT{IDS_PHONE_NOT_CONNECTED});
    EXPECT_EQ(KivErrorStringId(KIV_E_DRIVENOTFOUND), UINT{IDS_DRIVE_NOT_FOUND});
    EXPECT_EQ(KivErrorStringId(KIV_E_FOLDERNOTFOUND), UINT{IDS_FOLDER_NOT_FOUND});
    EXPECT_EQ(KivErrorStringId(KIV_E_DEVICENOTFOUND), UINT{IDS_FOLDER_NOT_FOUND});
    EXPECT_EQ(KivErrorStringId(KIV_E_REQUEST_PANIC), UINT{IDS_TOO_MANY_REQUESTS});
    EXPECT_EQ(KivErrorStringId(KIV_E_INVALIDSCQIPOINTER), UINT{IDS_INVALID_SCQI_POINTER});
    for (HRESULT other : {HRESULT{KIV_E_TIMEOUT}, HRESULT{KIV_E_ABORT}, HRESULT{KIV_E_FATAL},
                          HRESULT{KIV_E_SERVICENOTSUPPORTED}, E_ACCESSDENIED, E_FAIL}) {
        EXPECT_EQ(KivErrorStringId(other), 0u) << std::hex << other;
    }
}

TEST(KivErrorText, OwnCodesReadTheTableOfTheLanguage)
{
    EXPECT_EQ(ErrorText(KIV_E_NOCONNECTION, kGerman), "Telefon nicht verbunden");
    EXPECT_EQ(ErrorText(KIV_E_NOCONNECTION, kEnglish), "Phone not connected");
    EXPECT_EQ(ErrorText(KIV_E_DEVICENOTFOUND, kEnglish), "Folder not found");
    EXPECT_EQ(ErrorText(KIV_E_REQUEST_PANIC, kNeutral), "Command cannot be executed. Too many open requests. ");
}

TEST(KivErrorText, AnUnknownLanguageGivesAnEmptyDescription)
{
    EXPECT_EQ(ErrorText(KIV_E_NOCONNECTION, kJapanese), "");
    EXPECT_EQ(ErrorText(KIV_E_FILENOTFOUND, kJapanese), "");
}

TEST(KivErrorText, OtherCodesTakeTheSystemMessage)
{
    const std::string english = ErrorText(E_ACCESSDENIED, kEnglish);
    EXPECT_FALSE(english.empty());
    EXPECT_EQ(english, SystemMessage(E_ACCESSDENIED, kEnglish));
    EXPECT_EQ(english.find("Unknown error"), std::string::npos);
    EXPECT_EQ(ErrorText(E_ACCESSDENIED, kNeutral), SystemMessage(E_ACCESSDENIED, kNeutral));
    EXPECT_EQ(ErrorText(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), kEnglish),
              SystemMessage(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), kEnglish));
}

TEST(KivErrorText, CodesWithoutAnyMessageTakeTheUnknownErrorStringWithTheCode)
{
    EXPECT_EQ(ErrorText(KIV_E_TIMEOUT, kEnglish), "Unknown error # x8004b016");
    EXPECT_EQ(ErrorText(KIV_E_TIMEOUT, kNeutral), "Unknown error # x8004b016");
    EXPECT_EQ(ErrorText(KIV_E_TIMEOUT, kGerman), "Unbekannter Fehler # x8004b016");
    EXPECT_EQ(ErrorText(KIV_E_FATAL, kEnglish), "Unknown error # x8004ffff");
    // Neither a system message nor a table in that language: nothing to show.
    EXPECT_EQ(ErrorText(KIV_E_TIMEOUT, kJapanese), "");
}

TEST(KivErrorText, SuccessCodesHaveNoText)
{
    EXPECT_EQ(ErrorText(S_OK, kEnglish), "");
    EXPECT_EQ(ErrorText(S_FALSE, kGerman), "");
    EXPECT_EQ(ErrorText(0x0004B001, kEnglish), "");
}

TEST(KivErrorText, TheCodeSlotIsFilledWithoutPrintfSemantics)
{
    EXPECT_EQ(KivFormatWithCode("Unknown error # x%x", KIV_E_TIMEOUT), "Unknown error # x8004b016");
    EXPECT_EQ(KivFormatWithCode("100%% x%x", 0x1), "100% x1");
    // A damaged translation is shown as it stands, never read as a printf format.
    EXPECT_EQ(KivFormatWithCode("%s %n %d %x %", KIV_E_TIMEOUT), "%s %n %d 8004b016 %");
    EXPECT_EQ(KivFormatWithCode("", KIV_E_TIMEOUT), "");
}
