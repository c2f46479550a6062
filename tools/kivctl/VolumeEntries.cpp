#include "tools/kivctl/VolumeEntries.h"

#include <algorithm>
#include <cwchar>

#include "com/UniqueVariant.h"

#include "KivlinkLib.h"

namespace {

using tolv::com::unique_variant;

constexpr UINT kDimensions = 2;
constexpr UINT kRowDimension = 1;
constexpr UINT kColumnDimension = 2;
constexpr wchar_t kColumnGap[] = L"  ";
constexpr wchar_t kNoDate[] = L"-";
// "2024-03-07 14:05"
constexpr size_t kDateWidth = 16;

// One cell converted to `type`.
HRESULT Cell(SAFEARRAY* array, LONG row, LONG column, VARTYPE type, unique_variant& value)
{
    LONG index[kDimensions] = {row, column};
    unique_variant cell;
    HRESULT hr = SafeArrayGetElement(array, index, cell.get());
    if (FAILED(hr)) {
        return hr;
    }
    return VariantChangeType(value.put(), cell.get(), 0, type);
}

HRESULT ReadRow(SAFEARRAY* array, LONG row, LONG firstColumn, VolumeEntry& entry)
{
    unique_variant value;
    HRESULT hr = Cell(array, row, firstColumn + geName, VT_BSTR, value);
    if (FAILED(hr)) {
        return hr;
    }
    const BSTR name = V_BSTR(value.get());
    entry.name.assign(name ? name : L"", name ? SysStringLen(name) : 0);
    hr = Cell(array, row, firstColumn + geSize, VT_I4, value);
    if (FAILED(hr)) {
        return hr;
    }
    entry.size = V_I4(value.get());
    hr = Cell(array, row, firstColumn + geAttributes, VT_I4, value);
    if (FAILED(hr)) {
        return hr;
    }
    entry.attributes = V_I4(value.get());
    hr = Cell(array, row, firstColumn + geLastWriteTime, VT_DATE, value);
    if (FAILED(hr)) {
        return hr;
    }
    entry.lastWrite = V_DATE(value.get());
    return S_OK;
}

std::wstring PaddedLeft(const std::wstring& text, size_t width)
{
    return text.size() >= width ? text : std::wstring(width - text.size(), L' ') + text;
}

std::wstring PaddedRight(const std::wstring& text, size_t width)
{
    return text.size() >= width ? text : text + std::wstring(width - text.size(), L' ');
}

std::wstring AttributesText(long attributes)
{
    wchar_t text[16];
    std::swprintf(text, sizeof text / sizeof text[0], L"0x%08lX", static_cast<unsigned long>(attributes));
    return text;
}

}  // namespace

HRESULT ReadVolumeEntries(const VARIANT& entries, std::vector<VolumeEntry>& rows)
{
    rows.clear();
    if (V_VT(&entries) == VT_EMPTY) {
        return S_OK;
    }
    SAFEARRAY* array = V_VT(&entries) == (VT_ARRAY | VT_VARIANT) ? V_ARRAY(&entries) : nullptr;
    if (array == nullptr || SafeArrayGetDim(array) != kDimensions) {
        return DISP_E_TYPEMISMATCH;
    }
    LONG firstRow = 0;
    LONG lastRow = -1;
    LONG firstColumn = 0;
    LONG lastColumn = -1;
    if (FAILED(SafeArrayGetLBound(array, kRowDimension, &firstRow)) ||
        FAILED(SafeArrayGetUBound(array, kRowDimension, &lastRow)) ||
        FAILED(SafeArrayGetLBound(array, kColumnDimension, &firstColumn)) ||
        FAILED(SafeArrayGetUBound(array, kColumnDimension, &lastColumn)) ||
        lastColumn - firstColumn < geLastWriteTime) {
        return DISP_E_TYPEMISMATCH;
    }
    std::vector<VolumeEntry> read;
    for (LONG row = firstRow; row <= lastRow; ++row) {
        VolumeEntry entry;
        const HRESULT hr = ReadRow(array, row, firstColumn, entry);
        if (FAILED(hr)) {
            return hr;
        }
        read.push_back(std::move(entry));
    }
    rows = std::move(read);
    return S_OK;
}

std::wstring EntryDateText(DATE date)
{
    SYSTEMTIME time{};
    if (date == 0 || !VariantTimeToSystemTime(date, &time)) {
        return kNoDate;
    }
    wchar_t text[32];
    std::swprintf(text, sizeof text / sizeof text[0], L"%04hu-%02hu-%02hu %02hu:%02hu", time.wYear, time.wMonth,
                  time.wDay, time.wHour, time.wMinute);
    return text;
}

std::vector<std::wstring> FormatVolumeEntries(const std::vector<VolumeEntry>& rows)
{
    size_t sizeWidth = 0;
    for (const VolumeEntry& row : rows) {
        sizeWidth = std::max(sizeWidth, std::to_wstring(row.size).size());
    }
    std::vector<std::wstring> lines;
    lines.reserve(rows.size());
    for (const VolumeEntry& row : rows) {
        lines.push_back(PaddedLeft(std::to_wstring(row.size), sizeWidth) + kColumnGap + AttributesText(row.attributes) +
                        kColumnGap + PaddedRight(EntryDateText(row.lastWrite), kDateWidth) + kColumnGap + row.name);
    }
    return lines;
}
