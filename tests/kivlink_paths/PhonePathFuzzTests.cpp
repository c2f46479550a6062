// Random and hostile text from a fixed seed: nothing crashes and the parser's
// invariants hold for every path.
#include "Components/Kivlink/paths/PhonePath.h"
#include "Components/Kivlink/transfer/TemporaryFiles.h"
#include "PathTestText.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::wstring HostileText(std::mt19937& random)
{
    // Each text draws from its own mix, so that the valid, wildcard and over-long
    // paths are all reached and not only the ones a zero spoils early.
    std::wstring alphabet = L"aZe:\\\\\\./ %\u00e9\u4e2d\xd800\xffff";
    if (random() % 2)
        alphabet += L"*?";
    if (random() % 3 == 0)
        alphabet.push_back(L'\0');
    if (random() % 3 == 0)
        alphabet.erase(alphabet.find(L'\\'), 3);
    // Slashes and colons spoil a path at once: most texts go without them.
    if (random() % 4 != 0)
        std::erase_if(alphabet, [](wchar_t c) { return c == L'/' || c == L':'; });
    std::wstring text;
    if (random() % 2)
        text = std::wstring{static_cast<wchar_t>(L'A' + random() % 26), L':', L'\\'};
    size_t length = random() % 601;
    // Long runs of one character: only backslashes, only wildcards, long names.
    wchar_t run = alphabet[random() % alphabet.size()];
    bool runs = random() % 8 == 0;
    while (text.size() < length)
        text.push_back(runs && random() % 4 ? run : alphabet[random() % alphabet.size()]);
    text.resize(length);
    return text;
}

void CheckInvalid(CPhonePath& path)
{
    CKivString untouched(L"untouched");
    CKivString out = untouched;
    EXPECT_FALSE(path.HasWildcard());
    EXPECT_FALSE(path.IsFile() || path.IsFolder());
    EXPECT_EQ(path.ComponentCount(), 0u);
    EXPECT_EQ(path.GetFirstPrefix(&out), E_INVALIDARG);
    EXPECT_EQ(path.GetNextAfter(L"E:", &out, &out), E_INVALIDARG);
    EXPECT_EQ(path.GetSplitParts(&out, &out, &out, &out), E_FAIL);
    EXPECT_EQ(path.GetJoinedParts(&out, &out, &out), E_FAIL);
    EXPECT_EQ(path.GetParent(&out, &out), E_FAIL);
    EXPECT_EQ(path.GetFolderParent(&out, &out), E_FAIL);
    EXPECT_EQ(path.GetLastName(&out), E_FAIL);
    EXPECT_EQ(path.GetPattern(&out), E_FAIL);
    EXPECT_EQ(out, untouched);
}

void CheckValid(CPhonePath& path, const std::wstring& text, std::mt19937& random)
{
    size_t count = path.ComponentCount();
    ASSERT_GE(count, 1u);
    CKivString first;
    ASSERT_EQ(path.GetFirstPrefix(&first), S_OK);
    EXPECT_EQ(Text(first), text.substr(0, 2));
    EXPECT_EQ(Text(path.Name(0)), text.substr(0, 2));
    EXPECT_EQ(Text(path.Prefix(count - 1)), text);
    EXPECT_EQ(text.find(L'\0'), std::wstring::npos);
    EXPECT_NE(path.IsFile(), path.IsFolder());

    // The names joined with backslashes give the path back, each prefix on the way.
    std::wstring joined = Text(path.Name(0));
    for (size_t i = 1; i < count; ++i) {
        EXPECT_EQ(Text(path.Prefix(i - 1)), joined);
        joined += L"\\" + Text(path.Name(i));
    }
    EXPECT_EQ(joined, text);
    // Nothing in a valid path can step up or aside on a PC.
    EXPECT_EQ(text.find_first_of(L"/:", 2), std::wstring::npos);
    for (size_t i = 1; i < count; ++i) {
        const std::wstring name = Text(path.Name(i));
        EXPECT_TRUE(name.empty() || name.find_first_not_of(L". ") != std::wstring::npos) << i;
    }

    bool wildcard = text.find_first_of(L"*?") != std::wstring::npos;
    EXPECT_EQ(path.HasWildcard(), wildcard);
    CKivString last, pattern;
    ASSERT_EQ(path.GetLastName(&last), S_OK);
    EXPECT_EQ(path.GetPattern(&pattern), wildcard ? S_OK : E_FAIL);
    if (wildcard) {
        EXPECT_EQ(pattern, last);
    }

    for (bool ofFolder : {false, true}) {
        CKivString folder, name;
        ASSERT_EQ(ofFolder ? path.GetFolderParent(&folder, &name) : path.GetParent(&folder, &name), S_OK);
        ASSERT_GT(folder.length(), 0u);
        EXPECT_EQ(folder.c_str()[folder.length() - 1], L'\\');
        bool known = false;
        for (size_t i = 0; i < count; ++i)
            known = known || name == path.Name(i);
        EXPECT_TRUE(known);
        EXPECT_EQ((text + L"\\").compare(0, folder.length(), folder.c_str(), folder.length()), 0);
    }

    // Asking for any folder on the way answers a component no further down than the next.
    size_t asked = count > 1 ? random() % (count - 1) : 0;
    std::wstring upper = Text(path.Prefix(asked));
    CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    CKivString next;
    HRESULT hr = path.GetNextAfter(upper, &next, nullptr);
    if (count == 1 || upper.find(L"%MMC%") != std::wstring::npos) {
        EXPECT_EQ(hr, E_INVALIDARG);
    } else {
        ASSERT_EQ(hr, S_OK);
        bool found = false;
        for (size_t i = 1; i <= asked + 1; ++i)
            found = found || next == path.Prefix(i);
        EXPECT_TRUE(found);
    }
}

std::wstring FullPathOf(const wchar_t* path)
{
    wchar_t full[4096];
    DWORD length = GetFullPathNameW(path, 4096, full, nullptr);
    return length > 0 && length < 4096 ? std::wstring(full, length) : std::wstring();
}

// A copy to the phone under this path's last name travels as a named temporary copy: it is
// refused, or lands directly in the temporary folder.
void CheckTemporaryCopy(const CPhonePath& path, const std::wstring& temporaryFolder)
{
    CKivString last;
    ASSERT_EQ(path.GetLastName(&last), S_OK);
    CKivString copy;
    if (FAILED(NamedTempCopyPath(last, copy)))
        return;
    const std::wstring full = FullPathOf(copy.c_str());
    ASSERT_FALSE(full.empty());
    EXPECT_EQ(full.substr(0, full.rfind(L'\\') + 1), temporaryFolder) << Text(copy);
}

}  // namespace

TEST(PhonePathFuzz, InvariantsHoldForHostileText)
{
    std::mt19937 random(20240611);
    const std::wstring temporaryFolder = FullPathOf(TempFolder().c_str());
    size_t validCount = 0, wildcardCount = 0;
    for (int round = 0; round < 20000; ++round) {
        std::wstring text = HostileText(random);
        CPhonePath path(text);
        EXPECT_EQ(Text(path.Path()), text);
        if (path.IsValid()) {
            ++validCount;
            wildcardCount += path.HasWildcard();
            CheckValid(path, text, random);
            CheckTemporaryCopy(path, temporaryFolder);
        } else {
            CheckInvalid(path);
        }
        if (HasFailure()) {
            ADD_FAILURE() << "round " << round << " length " << text.size();
            break;
        }
    }
    // The generator must reach both sides, or the invariants above prove little.
    EXPECT_GT(validCount, 500u);
    EXPECT_GT(wildcardCount, 100u);
}
