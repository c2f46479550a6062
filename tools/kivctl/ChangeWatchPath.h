// The path `kivctl watch-dir` registers. Kivlink matches registrations against its changed
// folders in the one-volume form: without the drive of the phone memory, with the memory
// card as "MultiMediaCard (E:)", always with a final backslash (phone folder C:\Images is
// "\Images\", E:\Sounds is "MultiMediaCard (E:)\Sounds\"). It neither checks nor converts
// the registered path, so a path in another form would never hear of a change: kivctl
// converts it.
#pragma once

#include <string>

// C:\Images gives "\Images\", e:\Sounds "MultiMediaCard (E:)\Sounds\", \Images "\Images\";
// another drive is kept as typed, with the final backslash.
std::wstring ChangeWatchPath(const std::wstring& path);
