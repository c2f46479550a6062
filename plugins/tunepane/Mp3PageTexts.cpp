#include "plugins/tunepane/Mp3PageTexts.h"

#include "plugins/tunepane/TunepaneStringIds.h"
#include "resources/IModuleResource.h"

namespace tolv::tunepane {

std::wstring LoadWideText(IModuleResource& texts, UINT id)
{
    std::string text;
    if (texts.LoadString(id, text) <= 0) {
        return {};
    }
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0) {
        return {};
    }
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

Mp3PageTexts Mp3PageTexts::Load(IModuleResource& texts)
{
    Mp3PageTexts loaded;
    loaded.title = LoadWideText(texts, IDS_PAGE_TITLE);
    loaded.columnDirectory = LoadWideText(texts, IDS_COLUMN_DIRECTORY);
    loaded.columnName = LoadWideText(texts, IDS_COLUMN_MP3_NAME);
    loaded.yourPc = LoadWideText(texts, IDS_YOUR_PC);
    loaded.addDirectory = LoadWideText(texts, IDS_ADD_DIRECTORY);
    loaded.addMp3 = LoadWideText(texts, IDS_ADD_MP3);
    loaded.randomSelection = LoadWideText(texts, IDS_RANDOM_SELECTION);
    loaded.yourPhone = LoadWideText(texts, IDS_YOUR_PHONE);
    loaded.remainingFreeMemory = LoadWideText(texts, IDS_REMAINING_FREE_MEMORY);
    loaded.cardCapacity = LoadWideText(texts, IDS_CARD_CAPACITY);
    loaded.phoneDirectory = LoadWideText(texts, IDS_PHONE_DIRECTORY);
    loaded.deleteAll = LoadWideText(texts, IDS_DELETE_ALL_BEFORE_LOADING);
    loaded.load = LoadWideText(texts, IDS_LOAD);
    loaded.menuDelete = LoadWideText(texts, IDS_MENU_DELETE);
    loaded.menuChange = LoadWideText(texts, IDS_MENU_CHANGE);
    loaded.mp3Directory = LoadWideText(texts, IDS_MP3_DIRECTORY);
    loaded.chooseMp3Directory = LoadWideText(texts, IDS_CHOOSE_MP3_DIRECTORY);
    loaded.invalidPath = LoadWideText(texts, IDS_INVALID_PATH);
    loaded.alreadyInList = LoadWideText(texts, IDS_ALREADY_IN_LIST);
    loaded.onlyMp3FilesAdded = LoadWideText(texts, IDS_ONLY_MP3_FILES_ADDED);
    loaded.tooManyFiles = LoadWideText(texts, IDS_TOO_MANY_FILES);
    loaded.unknownError = LoadWideText(texts, IDS_UNKNOWN_ERROR);
    loaded.chooseFiles = LoadWideText(texts, IDS_CHOOSE_FILES);
    loaded.fileFilter = LoadWideText(texts, IDS_MP3_FILE_FILTER);
    loaded.defaultPhonePath = LoadWideText(texts, IDS_DEFAULT_PHONE_PATH);
    return loaded;
}

}  // namespace tolv::tunepane
