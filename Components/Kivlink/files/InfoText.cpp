#include "InfoText.h"

#include "paths/PhonePath.h"

#include <cmath>
#include <cwchar>
#include <string>

namespace {

struct AttributeWord {
    long bit;
    const wchar_t* word;
};

// The order in which clients expect the words.
constexpr AttributeWord ATTRIBUTE_WORDS[] = {
    {FILE_ATTRIBUTE_ARCHIVE, L"ARCHIVE"},       {FILE_ATTRIBUTE_READONLY, L"READONLY"},
    {FILE_ATTRIBUTE_HIDDEN, L"HIDDEN"},         {FILE_ATTRIBUTE_SYSTEM, L"SYSTEM"},
    {FILE_ATTRIBUTE_COMPRESSED, L"COMPRESSED"},
};

}  // namespace

CKivString FormatDriveInfoText(const CKivString& label, long capacity, long freeBytes)
{
    std::wstring text = L"Label=";
    text += label.c_str();
    text += L",Capacity=" + std::to_wstring(capacity);
    text += L",Freespace=" + std::to_wstring(freeBytes) + L",";
    return CKivString(text.c_str());
}

CKivString FormatAttributeWords(long attributes, bool folder)
{
    std::wstring words;
    if (folder)
        words = L"DIRECTORY";
    for (const AttributeWord& entry : ATTRIBUTE_WORDS) {
        if ((attributes & entry.bit) == 0)
            continue;
        if (!words.empty())
            words += L"+";
        words += entry.word;
    }
    if (words.empty())
        words = L"NORMAL";
    return CKivString(words.c_str());
}

CKivString FormatEntryInfoText(bool folder, long attributes, long size, DATE date)
{
    std::wstring text = folder ? L"Type=Directory" : L"Type=File";
    text += L",Attribute=";
    text += FormatAttributeWords(attributes, folder).c_str();
    const long days = folder ? 0 : static_cast<long>(std::trunc(date));
    text += L",Size=" + std::to_wstring(folder ? 0 : size);
    text += L",Date=" + std::to_wstring(days) + L",";
    return CKivString(text.c_str());
}

KivInfoPathKind ClassifyInfoPath(const wchar_t* path)
{
    const std::wstring text(path ? path : L"");
    if (text.empty())
        return INFO_INVALID;
    if (text.find_first_not_of(L"0123456789") == std::wstring::npos)
        return INFO_DEVICE;
    if (text.size() == 2 && text[1] == L':')
        return INFO_DRIVE;
    CPhonePath parsed(std::wstring_view(text.data(), text.size()));
    if (parsed.IsValid() && !parsed.HasWildcard())
        return INFO_ENTRY;
    return INFO_INVALID;
}
