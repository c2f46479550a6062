#pragma once
// Reading the phone server's text answers: entry lists ("name,name,"), information texts
// ("Label=L,Capacity=C,Freespace=F,", "...,Attribute=ARCHIVE+READONLY,...") and the capacity
// shown to the user.
#include <windows.h>

#include <map>
#include <string>
#include <string_view>

namespace tolv::plugins {

// The pieces of `list` ended by a comma whose last four characters are `extension` in any
// letter case, under 0, 1, 2 ... A piece after the last comma is not ended, so never taken.
std::map<int, std::wstring> EntriesToMap(std::wstring_view list, std::wstring_view extension);

// The n-th value (from 1) of an information text: between the n-th "=" and the n-th ",".
// Empty when the text has fewer.
std::wstring GetEntrisfromInfo(std::wstring_view info, int n);

// A capacity in thousands of bytes as the page shows it: "0 KB", up to "1000 KB", above that
// whole "MB" with halves rounded down.
std::wstring CapacityText(long thousands);

// The Windows attribute bits named in an information text, never the read-only bit, so that
// writing them back makes a file deletable; FILE_ATTRIBUTE_NORMAL when none is named and 0 for
// an empty text.
DWORD AttributesFromInfo(std::wstring_view info);

}  // namespace tolv::plugins
