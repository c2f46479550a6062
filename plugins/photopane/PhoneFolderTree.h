#pragma once
// The phone-folder chooser's rules, apart from its window: what the tree shows for a drive,
// the phone path of a folder below another, which entries of a listing are folders, and the
// chain of folders that leads to a path. Pure functions; any thread.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tolv::photopane {

// A drive's root item: the memory card as the phone's shell view names it ("MultiMediaCard
// (E:)"), any other drive by its name ("C:").
std::wstring DriveLabel(std::wstring_view drive);

// The names of a phone listing ("a.jpg,Trip,"), each ended by a comma; text after the last
// comma is no name.
std::vector<std::wstring> ListedNames(std::wstring_view list);

// The phone path of `name` in `folder`: "E:" and "Images" give "E:\Images".
std::wstring ChildPath(std::wstring_view folder, std::wstring_view name);

// What a folder's listing is asked for: a drive as its root ("E:\"), any other folder as it is.
std::wstring ListingPath(std::wstring_view folder);

// Whether a description ("Type=Directory,Attribute=DIRECTORY+HIDDEN,...") is a folder's: its
// attribute words begin with DIRECTORY.
bool IsFolderInfo(std::wstring_view info);

// The folders of a listing in the phone's order, its files first and then its folders. Each
// `isFolder` answer costs a call to the phone, so it is asked only for the names a binary
// search over that order needs.
std::vector<std::wstring> TrailingFolders(const std::vector<std::wstring>& names,
                                          const std::function<bool(const std::wstring& name)>& isFolder);

// The folders from the drive down to `path`: "E:\Images\Trip" gives "E:", "E:\Images" and
// "E:\Images\Trip"; a trailing "\" changes nothing. Empty for a path that does not begin with
// a drive.
std::vector<std::wstring> PathChain(std::wstring_view path);

// Whether two phone paths are the same; the phone ignores letter case.
bool SamePhonePath(std::wstring_view left, std::wstring_view right);

}  // namespace tolv::photopane
