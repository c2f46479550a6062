// The default phone folder by drive, with the plug-in's own texts (linked into this program).
#include "plugins/photopane/DefaultPhoneFolder.h"

#include "resources/ModuleResource.h"

#include <gtest/gtest.h>

using tolv::photopane::DefaultPhoneFolder;

namespace {

// Resources without the plug-in's texts: every text missing, as a language module that lacks them.
class NoTexts : public IModuleResource {
public:
    HINSTANCE GetModuleInstance() const override { return nullptr; }
    int LoadString(UINT id, std::string& text) override
    {
        text = "string " + std::to_string(id) + " is missing";
        return 0;
    }
    bool LoadBitmap(LPCWSTR, HBITMAP&) override { return false; }
    bool QueryResource(UINT, LANGID) const override { return false; }
};

}  // namespace

TEST(DefaultPhoneFolder, TheCardHasItsImagesFolderAndThePhoneMemoryNokiasOne)
{
    CModuleResource texts(GetModuleHandleW(nullptr));
    EXPECT_EQ(DefaultPhoneFolder(L"E:", texts), L"E:\\Images");
    EXPECT_EQ(DefaultPhoneFolder(L"e:", texts), L"e:\\Images");
    EXPECT_EQ(DefaultPhoneFolder(L"C:", texts), L"C:\\Nokia\\Images");
    EXPECT_EQ(DefaultPhoneFolder(L"D:", texts), L"D:\\Nokia\\Images");
}

TEST(DefaultPhoneFolder, AMissingTextLeavesTheDriveAloneRatherThanAFailureLine)
{
    NoTexts texts;
    EXPECT_EQ(DefaultPhoneFolder(L"E:", texts), L"E:");
}
