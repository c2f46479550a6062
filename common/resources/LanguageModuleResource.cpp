#include "resources/LanguageModuleResource.h"

void CLanguageModuleResource::SetLanguage(LANGID language)
{
    m_language = language;
    m_reader.SetLanguage(language);
}

int CLanguageModuleResource::LoadString(UINT id, std::string& text)
{
    text = m_reader.LoadString(id);
    return static_cast<int>(text.size());
}

bool CLanguageModuleResource::LoadBitmap(LPCWSTR name, HBITMAP& bitmap)
{
    bitmap = m_reader.LoadBitmap(name).release();
    return bitmap != nullptr;
}
