#include "resources/ResourceReader.h"

#include "resources/LanguageModuleSearch.h"
#include "resources/MessageFormat.h"
#include "resources/StringTable.h"

using tolv::resources::unique_bitmap;
using tolv::resources::unique_icon;
using tolv::resources::unique_menu;

std::string CResourceReader::LoadString(UINT id) const
{
    return tolv::resources::ReadTableString(m_module, id, m_language);
}

unique_menu CResourceReader::LoadMenu(UINT id) const
{
    if (m_module == nullptr) {
        return nullptr;
    }
    const HGLOBAL loaded = tolv::resources::LoadLanguageResource(m_module, RT_MENU, MAKEINTRESOURCEW(id), m_language);
    const void* menuTemplate = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (menuTemplate == nullptr) {
        return nullptr;
    }
    const unique_menu whole(LoadMenuIndirectW(menuTemplate));
    if (!whole) {
        return nullptr;
    }
    unique_menu popup(GetSubMenu(whole.get(), 0));
    if (!popup) {
        return nullptr;
    }
    // Detached, the popup outlives the menu bar that is destroyed with the rest; still
    // attached, it is the bar's to destroy.
    if (!RemoveMenu(whole.get(), 0, MF_BYPOSITION)) {
        static_cast<void>(popup.release());
        return nullptr;
    }
    return popup;
}

unique_icon CResourceReader::LoadBigIcon(UINT id) const
{
    return LoadIconSized(id, SM_CXICON, SM_CYICON);
}

unique_icon CResourceReader::LoadSmallIcon(UINT id) const
{
    return LoadIconSized(id, SM_CXSMICON, SM_CYSMICON);
}

unique_icon CResourceReader::LoadIconSized(UINT id, int widthMetric, int heightMetric) const
{
    if (m_module == nullptr) {
        return nullptr;
    }
    return unique_icon(
        static_cast<HICON>(LoadImageW(m_module, MAKEINTRESOURCEW(id), IMAGE_ICON, GetSystemMetrics(widthMetric),
                                      GetSystemMetrics(heightMetric), LR_DEFAULTCOLOR)));
}

unique_bitmap CResourceReader::LoadBitmap(LPCWSTR name) const
{
    if (m_module == nullptr) {
        return nullptr;
    }
    return unique_bitmap(static_cast<HBITMAP>(LoadImageW(m_module, name, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
}

std::string CResourceReader::FormatStringWith(UINT id, const std::vector<const char*>& arguments) const
{
    return tolv::resources::FormatInserts(LoadString(id), arguments);
}

bool CResourceReader::LoadLanguageModule(const std::wstring& modulePath, LANGID language)
{
    m_languageModule.reset();
    m_languageModulePath.clear();
    m_module = nullptr;

    const std::wstring path = tolv::resources::FindLanguageModule(modulePath, language);
    if (path.empty()) {
        return false;
    }
    // A language module holds resources only, and the first place searched is the current
    // folder: its code, if it has any, is never run.
    tolv::resources::unique_module loaded(
        LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!loaded) {
        return false;
    }
    m_module = loaded.get();
    m_languageModule = std::move(loaded);
    m_languageModulePath = path;
    m_language = language;
    return true;
}
