// The English texts code and users meet first: the box captions, the host's tool tip and task
// name, the connection-loss messages (worded differently by the two plug-ins), and texts whose
// backslashes and line breaks must survive the resource compiler. The neutral copy and
// American English read the same; a language outside the suite gets them too.
#include <gtest/gtest.h>

#include <string>

#include "plugins/photopane/PhotopaneStringIds.h"
#include "plugins/tunepane/TunepaneStringIds.h"
#include "resources/LanguageModuleResource.h"
#include "resources/StringTable.h"
#include "tests/plugin_texts/SuiteLanguages.h"
#include "tests/plugin_texts/TextModules.h"

using tolv::resources::ReadExactTableEntry;

namespace {

constexpr LANGID kJapanese = 1041;  // not among the suite's languages

struct EnglishText {
    UINT id;
    const wchar_t* text;
};

void ExpectEnglish(HMODULE module, std::initializer_list<EnglishText> texts)
{
    ASSERT_NE(module, nullptr);
    for (const EnglishText& expected : texts) {
        EXPECT_EQ(ReadExactTableEntry(module, kNeutralLanguage, expected.id), expected.text) << expected.id;
        EXPECT_EQ(ReadExactTableEntry(module, kAmericanEnglish, expected.id), expected.text) << expected.id;
    }
}

std::string ReadIn(HMODULE module, LANGID language, UINT id)
{
    CLanguageModuleResource resource(module);
    resource.SetLanguage(language);
    std::string text;
    resource.LoadString(id, text);
    return text;
}

}  // namespace

TEST(EnglishTexts, TunepaneCaptionsMessagesAndPathsReadAsTheHostAndUsersExpect)
{
    using namespace tolv::tunepane;
    ExpectEnglish(TunepaneTextsModule(),
                  {
                      {IDS_CAPTION_COPY_MP3, L"Copy MP3 to phone"},
                      {IDS_PHONE_DISCONNECTED, L"The phone call was disconnected"},
                      {IDS_TOOL_TIP, L"MP3 > Phone"},
                      {IDS_TASK_NAME, L"MP3"},
                      {IDS_CHOOSE_MP3_DIRECTORY, L"Choice Mp3 Directory"},
                      {IDS_DEFAULT_PHONE_PATH, L"\\Mp3"},
                      {IDS_CANNOT_CLOSE, L"Process not locked.\nThe application can not be closed."},
                      {IDS_MP3_FILE_FILTER, L"Mp3 Files (*.mp3)|*.mp3|All Files (*.*)|*.*||"},
                  });
}

TEST(EnglishTexts, PhotopaneCaptionsMessagesAndPathsReadAsTheHostAndUsersExpect)
{
    using namespace tolv::photopane;
    ExpectEnglish(PhotopaneTextsModule(), {
                                              {IDS_CAPTION_COPY_PHOTOS, L"Copy photos to PC"},
                                              {IDS_PHONE_DISCONNECTED, L"The phone line was disconnected"},
                                              {IDS_TOOL_TIP, L"Photos > PC"},
                                              {IDS_TASK_NAME, L"Photos"},
                                              {IDS_PHOTO_FOLDER_NOT_FOUND, L"Photo index on mobile not found"},
                                              {IDS_PHONE_MEMORY_PHOTO_FOLDER, L"\\Nokia\\Images"},
                                          });
}

TEST(EnglishTexts, ALanguageOutsideTheSuiteGetsTheEnglishToolTips)
{
    EXPECT_EQ(ReadIn(TunepaneTextsModule(), kJapanese, tolv::tunepane::IDS_TOOL_TIP), "MP3 > Phone");
    EXPECT_EQ(ReadIn(PhotopaneTextsModule(), kJapanese, tolv::photopane::IDS_TOOL_TIP), "Photos > PC");
}
