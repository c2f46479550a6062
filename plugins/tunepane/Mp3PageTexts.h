#pragma once
// The MP3 page's texts, read once from the plug-in's string table (ANSI, in the user's
// language) and kept wide for the controls, so that the page's worker threads never touch the
// single-threaded resource object.
#include <windows.h>

#include <string>

class IModuleResource;

namespace tolv::tunepane {

// The text of `id` converted from the ANSI code page; empty when there is none.
std::wstring LoadWideText(IModuleResource& texts, UINT id);

struct Mp3PageTexts {
    std::wstring title;
    std::wstring columnDirectory;
    std::wstring columnName;
    std::wstring yourPc;
    std::wstring addDirectory;
    std::wstring addMp3;
    std::wstring randomSelection;
    std::wstring yourPhone;
    std::wstring remainingFreeMemory;
    std::wstring cardCapacity;
    std::wstring phoneDirectory;
    std::wstring deleteAll;
    std::wstring load;
    std::wstring menuDelete;
    std::wstring menuChange;
    std::wstring mp3Directory;  // the folder chooser's title and the caption of the page's warnings
    std::wstring chooseMp3Directory;
    std::wstring invalidPath;
    std::wstring alreadyInList;
    std::wstring onlyMp3FilesAdded;
    std::wstring tooManyFiles;
    std::wstring unknownError;
    std::wstring chooseFiles;
    std::wstring fileFilter;  // "|"-separated, ended by "||"
    std::wstring defaultPhonePath;

    static Mp3PageTexts Load(IModuleResource& texts);
};

}  // namespace tolv::tunepane
