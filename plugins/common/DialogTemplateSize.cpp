#include "plugins/common/DialogTemplateSize.h"

#include <cstdint>
#include <cstring>
#include <cwchar>

#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("DialogTemplateSize");

namespace tolv::plugins {

namespace {

// The extended template begins with these two words; the classic one with its style.
constexpr WORD kExtendedVersion = 1;
constexpr WORD kExtendedSignature = 0xFFFF;
// The dialog manager's measure of the average character width.
constexpr wchar_t kWidthSample[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kWidthSampleHalf = 26;
constexpr int kHorizontalUnitsPerBase = 4;
constexpr int kVerticalUnitsPerBase = 8;
constexpr int kPointsPerInch = 72;

struct TemplateFacts {
    short cx = 0;
    short cy = 0;
    bool hasFont = false;
    WORD pointSize = 0;
    WORD weight = FW_NORMAL;
    BYTE italic = 0;
    BYTE charset = DEFAULT_CHARSET;
    const wchar_t* faceName = nullptr;
};

// Steps over a menu, class or title field: 0 (none), 0xFFFF and an ordinal, or a string.
const WORD* SkipNameOrOrdinal(const WORD* field) noexcept
{
    if (*field == 0) {
        return field + 1;
    }
    if (*field == 0xFFFF) {
        return field + 2;
    }
    return field + wcslen(reinterpret_cast<const wchar_t*>(field)) + 1;
}

TemplateFacts ReadTemplate(const void* data) noexcept
{
    TemplateFacts facts;
    const auto* words = static_cast<const WORD*>(data);
    const bool extended = words[0] == kExtendedVersion && words[1] == kExtendedSignature;
    DWORD style = 0;
    const WORD* tail = nullptr;
    if (extended) {
        // dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy
        const auto* bytes = static_cast<const BYTE*>(data);
        std::memcpy(&style, bytes + 12, sizeof(style));
        std::memcpy(&facts.cx, bytes + 22, sizeof(facts.cx));
        std::memcpy(&facts.cy, bytes + 24, sizeof(facts.cy));
        tail = reinterpret_cast<const WORD*>(bytes + 26);
    } else {
        const auto* classic = static_cast<const DLGTEMPLATE*>(data);
        style = classic->style;
        facts.cx = classic->cx;
        facts.cy = classic->cy;
        tail = reinterpret_cast<const WORD*>(classic + 1);
    }
    tail = SkipNameOrOrdinal(tail);  // menu
    tail = SkipNameOrOrdinal(tail);  // window class
    tail = SkipNameOrOrdinal(tail);  // title
    if ((style & DS_SETFONT) == 0) {
        return facts;
    }
    facts.hasFont = true;
    facts.pointSize = *tail++;
    if (extended) {
        facts.weight = *tail++;
        facts.italic = static_cast<BYTE>(*tail & 0xFF);
        facts.charset = static_cast<BYTE>(*tail >> 8);
        ++tail;
    }
    facts.faceName = reinterpret_cast<const wchar_t*>(tail);
    return facts;
}

// Horizontal and vertical base units of a font, as the dialog manager measures them.
bool MeasureBaseUnits(const TemplateFacts& facts, SIZE& base) noexcept
{
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) {
        return false;
    }
    HFONT font = nullptr;
    if (facts.hasFont) {
        LOGFONTW logFont{};
        logFont.lfHeight = -MulDiv(facts.pointSize, GetDeviceCaps(screen, LOGPIXELSY), kPointsPerInch);
        logFont.lfWeight = facts.weight;
        logFont.lfItalic = facts.italic;
        logFont.lfCharSet = facts.charset;
        wcsncpy(logFont.lfFaceName, facts.faceName, LF_FACESIZE - 1);
        font = CreateFontIndirectW(&logFont);
    }
    HGDIOBJ previous = SelectObject(screen, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    TEXTMETRICW metrics{};
    SIZE sample{};
    const bool measured =
        GetTextMetricsW(screen, &metrics) && GetTextExtentPoint32W(screen, kWidthSample, kWidthSampleHalf * 2, &sample);
    SelectObject(screen, previous);
    if (font != nullptr) {
        DeleteObject(font);
    }
    ReleaseDC(nullptr, screen);
    if (!measured) {
        return false;
    }
    base.cx = (sample.cx / kWidthSampleHalf + 1) / 2;
    base.cy = metrics.tmHeight;
    return true;
}

}  // namespace

HRESULT GetDialogTemplateSize(HINSTANCE module, UINT dialogId, SIZE& size) noexcept
{
    size = SIZE{};
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(dialogId), RT_DIALOG);
    TOLV_RETURN_LAST_ERROR_IF(found == nullptr);
    const HGLOBAL loaded = LoadResource(module, found);
    TOLV_RETURN_LAST_ERROR_IF(loaded == nullptr);
    const void* data = LockResource(loaded);
    TOLV_RETURN_HR_IF(E_FAIL, data == nullptr || SizeofResource(module, found) < sizeof(DLGTEMPLATE));
    const TemplateFacts facts = ReadTemplate(data);
    SIZE base{};
    TOLV_RETURN_HR_IF(E_FAIL, !MeasureBaseUnits(facts, base));
    size.cx = MulDiv(facts.cx, base.cx, kHorizontalUnitsPerBase);
    size.cy = MulDiv(facts.cy, base.cy, kVerticalUnitsPerBase);
    return S_OK;
}

}  // namespace tolv::plugins
