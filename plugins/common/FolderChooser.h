// The folder chooser of the transfer pages: the system's folder-browse dialog with an edit box
// above the tree in which the user may also type the path. OK closes it only for an existing,
// well-formed folder (FolderPathRules.h); any other path shows a warning and keeps it open.
// Runs modally on the calling thread, which must have COM initialised (single-threaded).
#pragma once

#include <string>
#include <string_view>

#include <windows.h>

namespace tolv::plugins {

// Each page brings its own texts, from its own string table.
struct FolderChooserTexts {
    std::wstring title;  // the chooser window's title
    std::wstring prompt;  // the line above the tree
    std::wstring invalidPath;  // the warning for a rejected path
    std::wstring invalidPathCaption;  // and its caption
};

// The edit box the chooser adds, for the pages' tests that drive it.
constexpr int kFolderChooserEditId = 14148;

// S_OK and the chosen folder as typed or picked; S_FALSE when the user cancelled; a failure
// when the dialog could not be shown. Starts at `initialFolder`, or at the current directory
// when it is empty.
HRESULT ChooseFolder(HWND owner, const FolderChooserTexts& texts, std::wstring_view initialFolder,
                     std::wstring& chosen) noexcept;

}  // namespace tolv::plugins
