// Phone paths: a drive letter and colon, then backslash-separated names ("E:\Images\a.jpg").
// A drive root is written "E:\", any other folder without a trailing backslash.
#pragma once

#include <string>
#include <vector>

namespace phonesim {

struct PhonePath {
    wchar_t drive = 0;  // upper case
    std::vector<std::wstring> names;

    bool IsRoot() const noexcept { return names.empty(); }
    // "E:\" for a root, else "E:\a\b".
    std::wstring Text() const;
    // The last name, or "E:" for a root.
    std::wstring OwnName() const;
    PhonePath Parent() const;
    PhonePath Child(const std::wstring& name) const;
    // The path below the drive root with backslashes, empty for a root ("a\b").
    std::wstring Relative() const;
};

// A name the phone accepts for a file or folder: not empty, at most 255 characters, none of
// \ / : * ? " < > | or control characters, not "." or "..", not ending in a dot or blank.
bool IsValidEntryName(const std::wstring& name);

// Accepts "E:", "E:\" and "E:\a\b" (one trailing backslash allowed); every name must be valid.
bool ParsePhonePath(const std::wstring& text, PhonePath& path);

// A new name given to a rename or move: a full phone path, or a plain name that stays in
// `folder`.
bool ResolveNewName(const std::wstring& newName, const PhonePath& folder, PhonePath& target);

// Whether two names are the same on the phone's file system (case-insensitive).
bool SameName(const std::wstring& left, const std::wstring& right);

}  // namespace phonesim
