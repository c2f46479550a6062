#include "Components/Kivlink/errors/KivStringTable.h"

#include "resources/StringTable.h"

std::wstring KivLoadStringW(HMODULE module, LANGID language, UINT id)
{
    return tolv::resources::ReadExactTableEntry(module, language, id);
}

std::string KivLoadString(HMODULE module, LANGID language, UINT id)
{
    return KivWideToAnsi(KivLoadStringW(module, language, id));
}

std::string KivWideToAnsi(const std::wstring& text)
{
    if (text.empty()) {
        return {};
    }
    const int size =
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return {};
    }
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

std::wstring KivAnsiToWide(const std::string& text)
{
    if (text.empty()) {
        return {};
    }
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0) {
        return {};
    }
    std::wstring result(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}
