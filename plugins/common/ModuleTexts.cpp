#include "ModuleTexts.h"

#include "resources/IModuleResource.h"
#include "ui/AnsiText.h"

namespace tolv::plugins {

std::string AnsiText(IModuleResource& texts, UINT id)
{
    std::string text;
    texts.LoadString(id, text);
    return text;
}

std::wstring WideText(IModuleResource& texts, UINT id)
{
    return tolv::ui::AnsiToWide(AnsiText(texts, id));
}

}  // namespace tolv::plugins
