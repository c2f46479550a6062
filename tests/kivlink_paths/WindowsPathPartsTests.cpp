// The splitter gives _wsplitpath's parts and says when one would overflow its buffer.
#include "Components/Kivlink/paths/WindowsPathParts.h"

#include <gtest/gtest.h>

#include <random>
#include <stdlib.h>

namespace {

void ExpectParts(std::wstring_view path, const wchar_t* drive, const wchar_t* folder, const wchar_t* name,
                 const wchar_t* extension)
{
    SWindowsPathParts parts;
    EXPECT_TRUE(SplitWindowsPath(path, parts)) << std::wstring(path);
    EXPECT_EQ(parts.drive, drive) << std::wstring(path);
    EXPECT_EQ(parts.folder, folder) << std::wstring(path);
    EXPECT_EQ(parts.fileName, name) << std::wstring(path);
    EXPECT_EQ(parts.extension, extension) << std::wstring(path);
}

bool Fits(const std::wstring& path)
{
    SWindowsPathParts parts;
    return SplitWindowsPath(path, parts);
}

}  // namespace

TEST(WindowsPathParts, SplitsLikeTheRuntime)
{
    ExpectParts(L"E:\\Images\\Photo.jpg", L"E:", L"\\Images\\", L"Photo", L".jpg");
    ExpectParts(L"E:\\Images\\", L"E:", L"\\Images\\", L"", L"");
    ExpectParts(L"E:", L"E:", L"", L"", L"");
    ExpectParts(L"E:\\a.b\\c", L"E:", L"\\a.b\\", L"c", L"");
    ExpectParts(L"E:\\a/b.tar.gz", L"E:", L"\\a/", L"b.tar", L".gz");
    ExpectParts(L"\\Images\\.jpg", L"", L"\\Images\\", L"", L".jpg");
    ExpectParts(L"", L"", L"", L"", L"");
    ExpectParts(std::wstring_view(L"E:\\ab\0\\cd.x", 11), L"E:", L"\\", L"ab", L"");
}

TEST(WindowsPathParts, ReportsPartsLongerThanTheirBuffers)
{
    EXPECT_TRUE(Fits(L"E:\\" + std::wstring(253, L'f') + L"\\n.e"));
    EXPECT_FALSE(Fits(L"E:\\" + std::wstring(254, L'f') + L"\\n.e"));
    EXPECT_TRUE(Fits(L"E:\\" + std::wstring(255, L'n') + L".e"));
    EXPECT_FALSE(Fits(L"E:\\" + std::wstring(256, L'n') + L".e"));
    EXPECT_TRUE(Fits(L"E:\\n." + std::wstring(254, L'e')));
    EXPECT_FALSE(Fits(L"E:\\n." + std::wstring(255, L'e')));
}

TEST(WindowsPathParts, AgreesWithWsplitpathOnRandomText)
{
    const wchar_t alphabet[] = L"aZ:\\/.*? \u00e9\u4e2d";
    std::mt19937 random(4711);
    for (int round = 0; round < 3000; ++round) {
        std::wstring path(random() % 120, L' ');
        for (wchar_t& c : path)
            c = alphabet[random() % (std::size(alphabet) - 1)];
        std::wstring drive(path.size() + 1, L'\0'), folder = drive, name = drive, extension = drive;
        _wsplitpath(path.c_str(), drive.data(), folder.data(), name.data(), extension.data());
        for (std::wstring* part : {&drive, &folder, &name, &extension})
            part->resize(wcslen(part->c_str()));
        SWindowsPathParts parts;
        ASSERT_TRUE(SplitWindowsPath(path, parts)) << std::wstring(path);
        ASSERT_EQ(parts.drive, drive) << std::wstring(path);
        ASSERT_EQ(parts.folder, folder) << std::wstring(path);
        ASSERT_EQ(parts.fileName, name) << std::wstring(path);
        ASSERT_EQ(parts.extension, extension) << std::wstring(path);
    }
}
