// Reads a module's resources in one language: texts with the fallback to the neutral table,
// menus, icons, bitmaps and formatted texts. It may load a separate language module of its
// own in place of the component's module.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "resources/ResourceOwners.h"

class CResourceReader {
public:
    // Until SetLanguage the reader reads American English.
    static constexpr LANGID kInitialLanguage = 1033;
    // The language-neutral copy of every table, the fallback of every text.
    static constexpr LANGID kNeutralLanguage = 0;

    explicit CResourceReader(HINSTANCE module) : m_module(module) {}
    CResourceReader(const CResourceReader&) = delete;
    CResourceReader& operator=(const CResourceReader&) = delete;

    void SetLanguage(LANGID language) { m_language = language; }
    LANGID Language() const { return m_language; }
    // The module read from; null after a failed LoadLanguageModule.
    HINSTANCE Module() const { return m_module; }
    // The path of the language module the reader loaded itself; empty when it has none.
    const std::wstring& LanguageModulePath() const { return m_languageModulePath; }

    // The text of `id` in the current language, else in the neutral table, in the system's
    // ANSI code page; empty when neither has one.
    std::string LoadString(UINT id) const;
    // The first popup of menu `id` in the current language (else the neutral one); the caller
    // owns it. Null when there is no such menu or it has no popup.
    tolv::resources::unique_menu LoadMenu(UINT id) const;
    // Icon `id` in the system's icon sizes; null when missing.
    tolv::resources::unique_icon LoadBigIcon(UINT id) const;
    tolv::resources::unique_icon LoadSmallIcon(UINT id) const;
    // Bitmap `name` (a name or a MAKEINTRESOURCE id) in its own colours; null when missing.
    tolv::resources::unique_bitmap LoadBitmap(LPCWSTR name) const;

    // The text of `id` with its "%1"-style inserts filled by `arguments`; empty when
    // formatting fails.
    template <class... Texts>
    std::string FormatString(UINT id, const Texts&... arguments) const
    {
        return FormatStringWith(id, {TextOf(arguments)...});
    }

    // Loads "<module name><language code>" (.DLR, else .DLL) from the current folder, its
    // "Languages" folder or the installation's; it then serves every lookup in `language`.
    // False when no such file exists or it does not load; the reader then has no module.
    bool LoadLanguageModule(const std::wstring& modulePath, LANGID language);

private:
    static const char* TextOf(const char* text) { return text; }
    static const char* TextOf(const std::string& text) { return text.c_str(); }
    std::string FormatStringWith(UINT id, const std::vector<const char*>& arguments) const;
    tolv::resources::unique_icon LoadIconSized(UINT id, int widthMetric, int heightMetric) const;

    HINSTANCE m_module;
    LANGID m_language = kInitialLanguage;
    std::wstring m_languageModulePath;
    tolv::resources::unique_module m_languageModule;
};
