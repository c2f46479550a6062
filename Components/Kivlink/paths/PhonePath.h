#pragma once
// A phone path ("E:\Images\Photo.jpg"), checked and split once into its components so
// that the device model can walk it from the drive down and the operations can ask for
// the containing folder, the last name or the name pattern. Every out argument may be
// null; a null one is not written.
#include "Components/Kivlink/core/KivString.h"

#include <cstddef>
#include <string_view>
#include <vector>

class CPhonePath {
public:
    explicit CPhonePath(std::wstring_view path);
    // Null is the empty path. The text ends at its first L'\0' (use the other
    // constructors for text with embedded zeros).
    explicit CPhonePath(const wchar_t* path);
    explicit CPhonePath(const CKivString& path);

    const CKivString& Path() const { return m_path; }
    // A drive letter and colon, then backslash-separated names: no slash, no further colon,
    // no name of only dots and spaces (".."), so that no phone path can name a PC place.
    bool IsValid() const { return m_valid; }
    bool IsFile() const;
    bool IsFolder() const;
    // Only ever set on a valid path; a wildcard can only be in the last component.
    bool HasWildcard() const { return m_hasWildcard; }

    // The components: Prefix(i) is the path up to and including component i, Name(i)
    // the component itself. Empty for an invalid path.
    size_t ComponentCount() const { return m_prefixes.size(); }
    const CKivString& Prefix(size_t index) const { return m_prefixes.at(index); }
    const CKivString& Name(size_t index) const { return m_names.at(index); }

    // The drive ("E:"); E_INVALIDARG for an invalid path.
    HRESULT GetFirstPrefix(CKivString* prefix);
    // The component below the folder "folder" (compared in its normalised form with a
    // trailing backslash, ignoring letter case); E_INVALIDARG when no component but the
    // last matches.
    HRESULT GetNextAfter(std::wstring_view folder, CKivString* prefix, CKivString* name);

    // E_FAIL for an invalid path.
    HRESULT GetSplitParts(CKivString* drive, CKivString* folder, CKivString* fileName, CKivString* extension) const;
    HRESULT GetJoinedParts(CKivString* drive, CKivString* driveAndFolder, CKivString* driveFolderAndFileName) const;
    // The folder holding the entry the path names; a folder path given with a trailing
    // backslash names itself. The folder path always ends with a backslash.
    HRESULT GetParent(CKivString* folderPath, CKivString* folderName) const;
    // The folder holding a folder given with a trailing backslash.
    HRESULT GetFolderParent(CKivString* folderPath, CKivString* folderName) const;
    HRESULT GetLastName(CKivString* name) const;
    // The last name when it holds a wildcard, else E_FAIL.
    HRESULT GetPattern(CKivString* pattern) const;

    // Appends "\" unless the text already ends with one; E_OUTOFMEMORY leaves it as it was.
    static HRESULT EnsureTrailingBackslash(CKivString& text);

private:
    void Parse(std::wstring_view path);
    bool CheckCharacters(std::wstring_view path);
    bool SplitParts(std::wstring_view path);
    bool SplitComponents(std::wstring_view path);
    HRESULT AnswerFolder(size_t prefixIndex, size_t nameIndex, CKivString* folderPath, CKivString* folderName) const;

    CKivString m_path;
    std::vector<CKivString> m_prefixes;
    std::vector<CKivString> m_names;
    size_t m_iterationIndex = 0;
    bool m_valid = false;
    bool m_hasWildcard = false;
    CKivString m_drive;
    CKivString m_folder;
    CKivString m_fileName;
    CKivString m_extension;
    CKivString m_drivePart;
    CKivString m_driveAndFolder;
    CKivString m_driveFolderAndFileName;
};
