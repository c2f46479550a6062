// What each plug-in tells the user about a failed step, from texts of its resources.
#include "plugins/common/ErrorCodes.h"
#include "plugins/photopane/PhotoErrorMessages.h"
#include "plugins/tunepane/Mp3ErrorMessages.h"

#include "resources/IModuleResource.h"
#include "ui/MessageBoxSeam.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

// Texts by id; ids without one are missing in every language.
class TableTexts : public IModuleResource {
public:
    explicit TableTexts(std::map<UINT, std::string> texts) : m_texts(std::move(texts)) {}
    HINSTANCE GetModuleInstance() const override { return nullptr; }
    int LoadString(UINT id, std::string& text) override
    {
        const auto found = m_texts.find(id);
        text = found == m_texts.end() ? std::string() : found->second;
        return static_cast<int>(text.size());
    }
    bool LoadBitmap(LPCWSTR, HBITMAP&) override { return false; }
    bool QueryResource(UINT, LANGID) const override { return false; }

private:
    std::map<UINT, std::string> m_texts;
};

std::vector<std::wstring> g_boxes;

int RecordBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type)
{
    EXPECT_EQ(owner, nullptr);
    EXPECT_EQ(type, static_cast<UINT>(MB_ICONWARNING | MB_OK));
    g_boxes.push_back(std::wstring(caption) + L": " + text);
    return IDOK;
}

class ErrorMessageTest : public testing::Test {
protected:
    void SetUp() override
    {
        g_boxes.clear();
        m_previous = tolv::ui::SetMessageBoxAnswerer(&RecordBox);
    }
    void TearDown() override { tolv::ui::SetMessageBoxAnswerer(m_previous); }

    TableTexts m_mp3{{{32770, "Copy MP3 to phone"},
                      {32781, "The phone call was disconnected"},
                      {32789, "The copy action was interrupted due to an error"},
                      {32785, "An unknown error occurred."}}};
    TableTexts m_photo{{{127, "Copy photos to PC"}, {32781, "The phone line was disconnected"}}};
    tolv::ui::MessageBoxAnswerer m_previous = nullptr;
};

}  // namespace

TEST_F(ErrorMessageTest, ALostPhoneEndsTheJobAndIsToldUnderThePlugInsCaption)
{
    std::string text;
    EXPECT_TRUE(tolv::tunepane::ErrorToMessage(m_mp3, &text, tolv::plugins::kNetworkNotConnected, true));
    EXPECT_EQ(text, "The phone call was disconnected");
    EXPECT_TRUE(tolv::photopane::ErrorToMessage(m_photo, &text, KIV_E_BADCONNECTION, true));
    EXPECT_EQ(g_boxes, (std::vector<std::wstring>{L"Copy MP3 to phone: The phone call was disconnected",
                                                  L"Copy photos to PC: The phone line was disconnected"}));
    // An interrupted copy ends the job too; an unknown error does not.
    EXPECT_TRUE(tolv::tunepane::ErrorToMessage(m_mp3, nullptr, E_POINTER, false));
    EXPECT_FALSE(tolv::tunepane::ErrorToMessage(m_mp3, &text, E_FAIL, false));
    EXPECT_EQ(text, "An unknown error occurred.");
    EXPECT_EQ(g_boxes.size(), 2u);
}

TEST_F(ErrorMessageTest, CodesWithoutARowOrWithoutATextShowNothing)
{
    std::string text = "stale";
    EXPECT_FALSE(tolv::tunepane::ErrorToMessage(m_mp3, &text, E_OUTOFMEMORY, true));
    EXPECT_TRUE(text.empty());
    // A full disk has no row for the photos; its MP3 text is missing here, so the built-in one shows.
    EXPECT_FALSE(tolv::photopane::ErrorToMessage(m_photo, &text, tolv::plugins::kDiskFull, true));
    EXPECT_FALSE(tolv::tunepane::ErrorToMessage(m_mp3, &text, tolv::plugins::kDiskFull, true));
    EXPECT_EQ(text, "Datei konnte nicht vollst\xE4ndig kopiert werden");
    // A row whose text is missing everywhere: no empty box.
    EXPECT_FALSE(tolv::photopane::ErrorToMessage(m_photo, &text, tolv::plugins::kTimedOut, true));
    EXPECT_EQ(g_boxes.size(), 1u);
}
