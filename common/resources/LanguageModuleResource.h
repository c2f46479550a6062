// The resources a user-interface component reads: its own module's texts and bitmaps in the
// suite's language, each text falling back to the neutral table.
#pragma once

#include "resources/IModuleResource.h"
#include "resources/ResourceReader.h"

class CLanguageModuleResource : public IModuleResource {
public:
    explicit CLanguageModuleResource(HINSTANCE module) : m_module(module), m_reader(module) {}

    // The language of every later lookup; a component sets it once, at start-up.
    void SetLanguage(LANGID language);
    LANGID Language() const { return m_language; }

    HINSTANCE GetModuleInstance() const override { return m_module; }
    int LoadString(UINT id, std::string& text) override;
    bool LoadBitmap(LPCWSTR name, HBITMAP& bitmap) override;
    bool QueryResource(UINT, LANGID) const override { return false; }

    // Menus, icons and formatted texts in the same language.
    const CResourceReader& Reader() const { return m_reader; }
    CResourceReader& Reader() { return m_reader; }

private:
    HINSTANCE m_module;
    LANGID m_language = CResourceReader::kInitialLanguage;
    CResourceReader m_reader;
};
