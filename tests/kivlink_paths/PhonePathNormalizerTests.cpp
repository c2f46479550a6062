// The normalised form of IKivVolume paths.
#include "Components/Kivlink/paths/PhonePathNormalizer.h"
#include "PathTestText.h"

#include <gtest/gtest.h>

namespace {

std::wstring Normalized(std::wstring_view path, bool trailingBackslash)
{
    std::wstring result = L"untouched";
    EXPECT_EQ(NormalizePhonePath(path, trailingBackslash, result), S_OK) << std::wstring(path);
    return result;
}

}  // namespace

TEST(PhonePathNormalizer, KeepsPathsWithADrive)
{
    EXPECT_EQ(Normalized(L"E:\\Images", false), L"E:\\Images");
    EXPECT_EQ(Normalized(L"e:", true), L"e:\\");
    EXPECT_EQ(Normalized(L"C:\\a\\", true), L"C:\\a\\");
    EXPECT_EQ(Normalized(L"E:\\MultiMediaCard (E:)\\x", false), L"E:\\MultiMediaCard (E:)\\x");
}

TEST(PhonePathNormalizer, MapsTheMemoryCardFolderToE)
{
    EXPECT_EQ(Normalized(L"MultiMediaCard (E:)", false), L"E:\\");
    EXPECT_EQ(Normalized(L"MultiMediaCard (E:)", true), L"E:\\");
    EXPECT_EQ(Normalized(L"MultiMediaCard (E:)\\Images\\*.jpg", false), L"E:\\Images\\*.jpg");
    EXPECT_EQ(Normalized(L"\\Phone\\MultiMediaCard (E:)\\Images", true), L"E:\\Images\\");
    EXPECT_EQ(Normalized(L"multimediacard (e:)", false), L"C:multimediacard (e:)");
}

TEST(PhonePathNormalizer, PutsPhoneMemoryInFrontOfPathsWithoutDrive)
{
    EXPECT_EQ(Normalized(L"\\Images", false), L"C:\\Images");
    EXPECT_EQ(Normalized(L"Images", true), L"C:Images\\");
    EXPECT_EQ(Normalized(L"", false), L"C:");
    EXPECT_EQ(Normalized(L"", true), L"C:\\");
    EXPECT_EQ(Normalized(L":", false), L"C::");
}

TEST(PhonePathNormalizer, RefusesPathsOfTheOldShellExtension)
{
    std::wstring text = L"untouched";
    EXPECT_EQ(NormalizePhonePath(L"%MMC%\\Images", true, text), E_UNEXPECTED);
    EXPECT_EQ(NormalizePhonePath(L"E:\\x%MMC%", false, text), E_UNEXPECTED);
    EXPECT_EQ(text, L"untouched");
    CKivString shared(L"untouched");
    EXPECT_EQ(NormalizePhonePath(L"MultiMediaCard (E:)%MMC%", false, shared), E_UNEXPECTED);
    EXPECT_EQ(Text(shared), L"untouched");
}

TEST(PhonePathNormalizer, SharedResultKeepsEmbeddedZeros)
{
    CKivString shared;
    ASSERT_EQ(NormalizePhonePath(std::wstring_view(L"a\0b", 3), true, shared), S_OK);
    EXPECT_EQ(Text(shared), std::wstring(L"C:a\0b\\", 6));
}
