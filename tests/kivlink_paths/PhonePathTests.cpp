// Checking, splitting and querying phone paths.
#include "Components/Kivlink/paths/PhonePath.h"
#include "PathTestText.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Strings = std::vector<std::wstring>;

Strings Prefixes(const CPhonePath& path)
{
    Strings result;
    for (size_t i = 0; i < path.ComponentCount(); ++i)
        result.push_back(Text(path.Prefix(i)));
    return result;
}

Strings Names(const CPhonePath& path)
{
    Strings result;
    for (size_t i = 0; i < path.ComponentCount(); ++i)
        result.push_back(Text(path.Name(i)));
    return result;
}

std::pair<std::wstring, std::wstring> Parent(const CPhonePath& path, bool ofFolder = false)
{
    CKivString folder, name;
    HRESULT hr = ofFolder ? path.GetFolderParent(&folder, &name) : path.GetParent(&folder, &name);
    EXPECT_EQ(hr, S_OK);
    return {Text(folder), Text(name)};
}

}  // namespace

TEST(PhonePathValidity, NeedsADriveAndNoBackslashAfterAWildcard)
{
    for (const wchar_t* text : {L"", L"E", L"\\Images", L"E:\\Im*ges\\x", L"E:\\a?\\", L"Images\\x", L"E:Images",
                                L"1:\\x", L"*:\\x", L":\\", L"\\\\\\\\"}) {
        CPhonePath path(text);
        EXPECT_FALSE(path.IsValid()) << text;
        EXPECT_FALSE(path.HasWildcard()) << text;
        EXPECT_EQ(path.ComponentCount(), 0u) << text;
    }
    CPhonePath nullPath(static_cast<const wchar_t*>(nullptr));
    EXPECT_FALSE(nullPath.IsValid());

    CPhonePath drive(L"E:");
    EXPECT_TRUE(drive.IsValid());
    EXPECT_TRUE(drive.IsFolder());
    EXPECT_FALSE(drive.IsFile());
    EXPECT_TRUE(CPhonePath(L"E:\\Images\\").IsFolder());
    EXPECT_TRUE(CPhonePath(L"E:\\Images\\Photo.jpg").IsFile());
    EXPECT_TRUE(CPhonePath(L"E:\\Images\\.jpg").IsFile());
    EXPECT_TRUE(CPhonePath(L"c:\\\u00e9t\u00e9\\\u4e2d.txt").IsFile());
}

TEST(PhonePathValidity, NothingThatStepsUpOrAsideOnAPC)
{
    for (const wchar_t* text : {L"E:\\Mp3\\x/../../name", L"E:/Mp3", L"E:\\Mp3/x.mp3", L"E:\\..\\x", L"E:\\.\\x",
                                L"E:\\Mp3\\..", L"E:\\Mp3\\. .", L"E:\\a:b", L"E:\\Mp3\\C:x.mp3"}) {
        EXPECT_FALSE(CPhonePath(text).IsValid()) << CKivString(text).Narrow();
    }
    // Dots inside a name are ordinary.
    EXPECT_TRUE(CPhonePath(L"E:\\Mp3\\..x").IsValid());
    EXPECT_TRUE(CPhonePath(L"E:\\a.b\\.hidden").IsValid());
}

TEST(PhonePathValidity, WildcardsOnlyInTheLastComponent)
{
    CPhonePath photos(L"E:\\Images\\*.jpg");
    EXPECT_TRUE(photos.IsValid());
    EXPECT_TRUE(photos.HasWildcard());
    CKivString pattern;
    ASSERT_EQ(photos.GetPattern(&pattern), S_OK);
    EXPECT_EQ(Text(pattern), L"*.jpg");

    EXPECT_TRUE(CPhonePath(L"E:\\?").HasWildcard());
    EXPECT_FALSE(CPhonePath(L"E:*?*").IsValid());
    EXPECT_FALSE(CPhonePath(L"E:\\*\\").IsValid());
    EXPECT_FALSE(CPhonePath(L"E:\\Images\\").HasWildcard());
    EXPECT_EQ(CPhonePath(L"E:\\Images\\").GetPattern(&pattern), E_FAIL);
    EXPECT_EQ(Text(pattern), L"*.jpg");
}

TEST(PhonePathValidity, EmbeddedZerosMakeThePathInvalid)
{
    std::wstring withZero(L"E:\\Images\0\\Photo.jpg", 20);
    CPhonePath path(withZero);
    EXPECT_FALSE(path.IsValid());
    EXPECT_EQ(Text(path.Path()), withZero);
    EXPECT_FALSE(CPhonePath(std::wstring_view(L"E:\0", 3)).IsValid());
    EXPECT_FALSE(CPhonePath(std::wstring_view(L"\0:\\", 3)).IsValid());
    CKivString bstr = CKivString::Attach(SysAllocStringLen(L"E:\\a*\0", 6));
    EXPECT_FALSE(CPhonePath(bstr).IsValid());
    EXPECT_FALSE(CPhonePath(bstr).HasWildcard());
}

TEST(PhonePathValidity, PartsMustFitTheirBuffers)
{
    std::wstring folder = L"E:\\" + std::wstring(253, L'f') + L"\\";
    CPhonePath longest(folder + std::wstring(255, L'n') + L"." + std::wstring(254, L'e'));
    EXPECT_TRUE(longest.IsValid());
    EXPECT_EQ(longest.ComponentCount(), 3u);
    EXPECT_FALSE(CPhonePath(L"E:\\" + std::wstring(254, L'f') + L"\\").IsValid());
    EXPECT_FALSE(CPhonePath(folder + std::wstring(256, L'n')).IsValid());
    EXPECT_FALSE(CPhonePath(L"E:\\" + std::wstring(5000, L'x')).IsValid());
    std::wstring deep = L"E:";
    while (deep.size() < 4000)
        deep += L"\\a";
    EXPECT_FALSE(CPhonePath(deep).IsValid());
}

TEST(PhonePathComponents, SplitsIntoPrefixesAndNames)
{
    CPhonePath photo(L"E:\\Images\\Photo.jpg");
    EXPECT_EQ(Prefixes(photo), (Strings{L"E:", L"E:\\Images", L"E:\\Images\\Photo.jpg"}));
    EXPECT_EQ(Names(photo), (Strings{L"E:", L"Images", L"Photo.jpg"}));
    CPhonePath folder(L"E:\\Images\\");
    EXPECT_EQ(Prefixes(folder), (Strings{L"E:", L"E:\\Images", L"E:\\Images\\"}));
    EXPECT_EQ(Names(folder), (Strings{L"E:", L"Images", L""}));
    CPhonePath drive(L"E:");
    EXPECT_EQ(Prefixes(drive), Strings{L"E:"});
    EXPECT_EQ(Names(drive), Strings{L"E:"});
    CPhonePath backslashes(L"C:\\\\\\");
    EXPECT_EQ(Prefixes(backslashes), (Strings{L"C:", L"C:\\", L"C:\\\\", L"C:\\\\\\"}));
    EXPECT_EQ(Names(backslashes), (Strings{L"C:", L"", L"", L""}));
    EXPECT_TRUE(backslashes.IsFolder());
}

TEST(PhonePathComponents, WalksFromTheDriveIgnoringLetterCase)
{
    CPhonePath path(L"E:\\Images\\Photo.jpg");
    CKivString prefix, name;
    ASSERT_EQ(path.GetFirstPrefix(&prefix), S_OK);
    EXPECT_EQ(Text(prefix), L"E:");
    ASSERT_EQ(path.GetNextAfter(L"e:", &prefix, &name), S_OK);
    EXPECT_EQ(Text(prefix), L"E:\\Images");
    EXPECT_EQ(Text(name), L"Images");
    ASSERT_EQ(path.GetNextAfter(L"E:\\IMAGES\\", &prefix, &name), S_OK);
    EXPECT_EQ(Text(prefix), L"E:\\Images\\Photo.jpg");
    EXPECT_EQ(Text(name), L"Photo.jpg");
    ASSERT_EQ(path.GetNextAfter(L"MultiMediaCard (E:)\\images", &prefix, nullptr), S_OK);
    EXPECT_EQ(Text(prefix), L"E:\\Images\\Photo.jpg");

    for (const wchar_t* noFolder : {L"E:\\Images\\Photo.jpg", L"C:", L"E:\\Imag", L"", L"%MMC%"})
        EXPECT_EQ(path.GetNextAfter(noFolder, &prefix, &name), E_INVALIDARG) << noFolder;
    EXPECT_EQ(Text(name), L"Photo.jpg");

    CPhonePath phoneMemory(L"C:\\Images");
    EXPECT_EQ(phoneMemory.GetNextAfter(L"", &prefix, &name), S_OK);
    EXPECT_EQ(Text(name), L"Images");
    EXPECT_EQ(CPhonePath(L"E:").GetNextAfter(L"E:", &prefix, &name), E_INVALIDARG);
}

TEST(PhonePathParts, SplitAndJoined)
{
    CPhonePath path(L"E:\\Images\\Photo.jpg");
    CKivString drive, folder, name, extension;
    ASSERT_EQ(path.GetSplitParts(&drive, &folder, &name, &extension), S_OK);
    EXPECT_EQ(Strings({Text(drive), Text(folder), Text(name), Text(extension)}),
              (Strings{L"E:", L"\\Images\\", L"Photo", L".jpg"}));
    CKivString joinedDrive, driveAndFolder, withoutExtension;
    ASSERT_EQ(path.GetJoinedParts(&joinedDrive, &driveAndFolder, &withoutExtension), S_OK);
    EXPECT_EQ(Strings({Text(joinedDrive), Text(driveAndFolder), Text(withoutExtension)}),
              (Strings{L"E:", L"E:\\Images\\", L"E:\\Images\\Photo"}));
}

TEST(PhonePathParents, OfFilesAndFolders)
{
    using Answer = std::pair<std::wstring, std::wstring>;
    EXPECT_EQ(Parent(CPhonePath(L"E:\\Images\\Photo.jpg")), Answer(L"E:\\Images\\", L"Images"));
    EXPECT_EQ(Parent(CPhonePath(L"E:\\Images\\")), Answer(L"E:\\Images\\", L"Images"));
    EXPECT_EQ(Parent(CPhonePath(L"E:\\Images")), Answer(L"E:\\", L"E:"));
    EXPECT_EQ(Parent(CPhonePath(L"E:\\")), Answer(L"E:\\", L"E:"));
    EXPECT_EQ(Parent(CPhonePath(L"E:")), Answer(L"E:\\", L"E:"));
    EXPECT_EQ(Parent(CPhonePath(L"E:\\Images\\.jpg")), Answer(L"E:\\Images\\", L"Images"));

    EXPECT_EQ(Parent(CPhonePath(L"E:\\Images\\"), true), Answer(L"E:\\", L"E:"));
    EXPECT_EQ(Parent(CPhonePath(L"E:\\a\\b\\"), true), Answer(L"E:\\a\\", L"a"));
    EXPECT_EQ(Parent(CPhonePath(L"E:\\"), true), Answer(L"E:\\", L"E:"));
    EXPECT_EQ(Parent(CPhonePath(L"E:"), true), Answer(L"E:\\", L"E:"));
}

TEST(PhonePathQueries, InvalidPathsFailAndWriteNothing)
{
    CPhonePath path(L"E:\\Im*ges\\x");
    CKivString a(L"a"), b(L"b"), c(L"c"), d(L"d");
    EXPECT_EQ(path.GetFirstPrefix(&a), E_INVALIDARG);
    EXPECT_EQ(path.GetNextAfter(L"E:", &a, &b), E_INVALIDARG);
    EXPECT_EQ(path.GetSplitParts(&a, &b, &c, &d), E_FAIL);
    EXPECT_EQ(path.GetJoinedParts(&a, &b, &c), E_FAIL);
    EXPECT_EQ(path.GetParent(&a, &b), E_FAIL);
    EXPECT_EQ(path.GetFolderParent(&a, &b), E_FAIL);
    EXPECT_EQ(path.GetLastName(&a), E_FAIL);
    EXPECT_EQ(path.GetPattern(&a), E_FAIL);
    EXPECT_EQ(Strings({Text(a), Text(b), Text(c), Text(d)}), (Strings{L"a", L"b", L"c", L"d"}));
    EXPECT_FALSE(path.IsFile());
    EXPECT_FALSE(path.IsFolder());
}

TEST(PhonePathQueries, EveryOutArgumentMayBeOmitted)
{
    CPhonePath path(L"E:\\Images\\*.jpg");
    EXPECT_EQ(path.GetFirstPrefix(nullptr), S_OK);
    EXPECT_EQ(path.GetNextAfter(L"E:", nullptr, nullptr), S_OK);
    EXPECT_EQ(path.GetSplitParts(nullptr, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(path.GetJoinedParts(nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(path.GetParent(nullptr, nullptr), S_OK);
    EXPECT_EQ(path.GetFolderParent(nullptr, nullptr), S_OK);
    EXPECT_EQ(path.GetLastName(nullptr), S_OK);
    EXPECT_EQ(path.GetPattern(nullptr), S_OK);

    CKivString extension, name, folderName;
    EXPECT_EQ(path.GetSplitParts(nullptr, nullptr, nullptr, &extension), S_OK);
    EXPECT_EQ(path.GetParent(nullptr, &folderName), S_OK);
    EXPECT_EQ(path.GetLastName(&name), S_OK);
    EXPECT_EQ(Strings({Text(extension), Text(folderName), Text(name)}), (Strings{L".jpg", L"Images", L"*.jpg"}));
}

TEST(PhonePathQueries, EnsureTrailingBackslashAppendsOnlyOnce)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"", L"\\"}, {L"E:", L"E:\\"}, {L"E:\\", L"E:\\"}, {L"\\\\", L"\\\\"}};
    for (auto [before, after] : cases) {
        CKivString text(before);
        ASSERT_EQ(CPhonePath::EnsureTrailingBackslash(text), S_OK);
        EXPECT_EQ(Text(text), after);
    }
    CKivString original(L"E:\\a");
    CKivString shared = original;
    ASSERT_EQ(CPhonePath::EnsureTrailingBackslash(shared), S_OK);
    EXPECT_EQ(Text(original), L"E:\\a");
}
