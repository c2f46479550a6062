#pragma once
// "Add Mp3" and "Change" of a file row: the system's open-file dialog with multiple selection.
// Only MP3 files come back; the first other file chosen is reported once per dialog, and a
// selection too long for the dialog's name buffer or any other dialog failure is reported too
// (all through tolv::ui::ShowMessageBox). Modal on the calling thread.
#include <windows.h>

#include <string>
#include <vector>

#include "plugins/tunepane/Mp3Settings.h"

namespace tolv::tunepane {

struct Mp3PageTexts;

// The characters of the dialog's name buffer: every chosen name has to fit in it at once.
inline constexpr DWORD kFileDialogBufferLength = 4096;

// The files as the dialog hands them back: "folder\0name\0name\0\0" for several, a full path
// for one; each as a full path.
std::vector<std::wstring> SelectedPaths(const wchar_t* buffer);
// A file row for an MP3 file's path ("mp3" extension in any case); false for any other file.
bool Mp3FileRow(const std::wstring& path, Mp3Row& row);

// S_OK with the chosen MP3 files as rows (possibly none); S_FALSE when the user cancelled or
// the dialog failed (after its message). `startPath` is a file to start at, or empty.
HRESULT ChooseMp3Files(HWND owner, const Mp3PageTexts& texts, const std::wstring& startPath,
                       std::vector<Mp3Row>& chosen);

}  // namespace tolv::tunepane
