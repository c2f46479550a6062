// Kivlink's string table as linked into this program: every language complete, translated,
// stored as proper UTF-16, and looked up in exactly the language asked for.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "Components/Kivlink/errors/KivStringTable.h"
#include "Components/Kivlink/errors/KivlinkStringIds.h"

namespace {

constexpr LANGID kNeutral = 0;
constexpr LANGID kTranslated[] = {1025, 1027, 1028, 1029, 1030, 1031, 1032, 1035, 1036, 1037, 1038, 1040,
                                  1043, 1044, 1045, 1046, 1049, 1053, 1055, 2052, 2058, 2070, 3082, 3084};
constexpr LANGID kEnglish[] = {1033, 2057};

const wchar_t* const kEnglishTexts[] = {
    L"Kivlink",
    L"Asynchronous connection with Symbian has expired.",
    L"File exists already",
    L"File not found",
    L"Phone not connected",
    L"Drive not found",
    L"Folder not found",
    L"Unknown error # x%x",
    L"Device not found",
    L"Command cannot be executed. Too many open requests.",
    L"Invalid interface pointer for Symbian application object",
};

HMODULE Self()
{
    return GetModuleHandleW(nullptr);
}

std::wstring Text(LANGID language, UINT id)
{
    return KivLoadStringW(Self(), language, id);
}

std::set<LANGID> AllLanguages()
{
    std::set<LANGID> all{kNeutral};
    all.insert(std::begin(kTranslated), std::end(kTranslated));
    all.insert(std::begin(kEnglish), std::end(kEnglish));
    return all;
}

}  // namespace

TEST(KivStringTable, EveryLanguageHasElevenDistinctTextsWithTheProductNameAndOneCodeSlot)
{
    ASSERT_EQ(AllLanguages().size(), 27u);
    for (LANGID language : AllLanguages()) {
        std::set<std::wstring> seen;
        for (UINT id = IDS_KIVLINK_FIRST; id <= IDS_KIVLINK_LAST; ++id) {
            const std::wstring text = Text(language, id);
            EXPECT_FALSE(text.empty()) << "language " << language << " string " << id;
            EXPECT_TRUE(seen.insert(text).second) << "language " << language << " repeats string " << id;
        }
        EXPECT_EQ(Text(language, IDS_KIVLINK), L"Kivlink") << language;
        const std::wstring unknown = Text(language, IDS_UNKNOWN_ERROR);
        const size_t slot = unknown.find(L"%x");
        ASSERT_NE(slot, std::wstring::npos) << language;
        EXPECT_EQ(unknown.find(L'%', slot + 1), std::wstring::npos) << language;
    }
}

TEST(KivStringTable, EnglishTablesAndTheNeutralCopyHoldTheEnglishTexts)
{
    for (LANGID language : {kNeutral, kEnglish[0], kEnglish[1]}) {
        for (UINT id = IDS_KIVLINK_FIRST; id <= IDS_KIVLINK_LAST; ++id) {
            std::wstring expected = kEnglishTexts[id - IDS_KIVLINK_FIRST];
            if (language == kNeutral && id == IDS_TOO_MANY_REQUESTS) {
                expected += L' ';
            }
            EXPECT_EQ(Text(language, id), expected) << "language " << language << " string " << id;
        }
    }
}

TEST(KivStringTable, TranslationsAreNotLeftInEnglish)
{
    for (LANGID language : kTranslated) {
        for (UINT id = IDS_SCQI_RESPONSE_TIMEOUT; id <= IDS_KIVLINK_LAST; ++id) {
            EXPECT_NE(Text(language, id), kEnglishTexts[id - IDS_KIVLINK_FIRST])
                << "language " << language << " string " << id;
        }
    }
}

TEST(KivStringTable, NonLatinTextsAreStoredAsUtf16)
{
    EXPECT_EQ(Text(1031, IDS_PHONE_NOT_CONNECTED), L"Telefon nicht verbunden");
    EXPECT_EQ(Text(1031, IDS_DEVICE_NOT_FOUND), L"Ger\u00e4t nicht gefunden");
    EXPECT_EQ(Text(1049, IDS_PHONE_NOT_CONNECTED), L"Телефон не подключен");
    EXPECT_EQ(Text(1032, IDS_FILE_NOT_FOUND), L"Το αρχείο δεν βρέθηκε");
    EXPECT_EQ(Text(2052, IDS_PHONE_NOT_CONNECTED), L"手机未连接");
    EXPECT_EQ(Text(1028, IDS_PHONE_NOT_CONNECTED), L"手機未連線");
    EXPECT_EQ(Text(1037, IDS_FILE_NOT_FOUND), L"הקובץ לא נמצא");
    EXPECT_EQ(Text(1025, IDS_PHONE_NOT_CONNECTED), L"الهاتف غير متصل");
}

TEST(KivStringTable, RegionalVariantsKeepTheirOwnTables)
{
    EXPECT_EQ(Text(1046, IDS_FILE_NOT_FOUND), L"Arquivo não encontrado");
    EXPECT_EQ(Text(2070, IDS_FILE_NOT_FOUND), L"Ficheiro não encontrado");
    EXPECT_NE(Text(2058, IDS_FILE_NOT_FOUND), Text(3082, IDS_FILE_NOT_FOUND));
    EXPECT_NE(Text(1036, IDS_DEVICE_NOT_FOUND), Text(3084, IDS_DEVICE_NOT_FOUND));
}

TEST(KivStringTable, ALanguageWithoutATableGivesEmptyTextsInsteadOfAnotherLanguage)
{
    for (LANGID language : {LANGID{1041}, LANGID{1042}, LANGID{2055}, LANGID{0x0400}}) {
        for (UINT id = IDS_KIVLINK_FIRST; id <= IDS_KIVLINK_LAST; ++id) {
            EXPECT_EQ(Text(language, id), L"") << "language " << language << " string " << id;
            EXPECT_EQ(KivLoadString(Self(), language, id), "") << "language " << language << " string " << id;
        }
    }
}

TEST(KivStringTable, UnknownIdsGiveEmptyTexts)
{
    // 111 shares the block of 96..111 with the table; 200 lies in a block that does not exist.
    EXPECT_EQ(Text(1031, 111), L"");
    EXPECT_EQ(Text(1031, 99), L"");
    EXPECT_EQ(Text(kNeutral, 200), L"");
}

TEST(KivStringTable, AnsiTextIsTheWideTextInTheAnsiCodePage)
{
    for (LANGID language : {LANGID{1031}, LANGID{1036}, LANGID{1049}, LANGID{2052}}) {
        for (UINT id = IDS_KIVLINK_FIRST; id <= IDS_KIVLINK_LAST; ++id) {
            const std::wstring wide = Text(language, id);
            const std::string ansi = KivLoadString(Self(), language, id);
            ASSERT_FALSE(ansi.empty());
            std::wstring back(wide.size() * 2, L'\0');
            const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), back.data(),
                                                   static_cast<int>(back.size()));
            back.resize(static_cast<size_t>(length));
            // Characters the code page lacks come back as its default character, one for one.
            ASSERT_EQ(back.size(), wide.size()) << "language " << language << " string " << id;
            for (size_t i = 0; i < wide.size(); ++i) {
                if (back[i] != wide[i]) {
                    EXPECT_EQ(back[i], L'?') << "language " << language << " string " << id;
                }
            }
        }
    }
}
