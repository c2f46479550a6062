#include "BoldFont.h"

namespace tolv::plugins {

namespace {

constexpr LONG kBoldWeight = 600;

}  // namespace

tolv::resources::unique_font SetBoldFont(HWND dialog, HWND control)
{
    const HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    LOGFONTW font{};
    if (dialogFont == nullptr || GetObjectW(dialogFont, sizeof(font), &font) != sizeof(font))
        return {};
    font.lfWeight = kBoldWeight;
    tolv::resources::unique_font bold(CreateFontIndirectW(&font));
    if (bold)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(bold.get()), FALSE);
    return bold;
}

}  // namespace tolv::plugins
