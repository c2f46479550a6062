#include "tools/kivctl/ConsoleOutput.h"

#include <windows.h>

namespace {

void WriteTo(DWORD which, const std::wstring& text)
{
    if (text.empty()) {
        return;
    }
    const HANDLE handle = GetStdHandle(which);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return;
    }
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

void WriteOut(const std::wstring& text)
{
    WriteTo(STD_OUTPUT_HANDLE, text);
}

void WriteError(const std::wstring& text)
{
    WriteTo(STD_ERROR_HANDLE, text);
}

void WriteOutLine(const std::wstring& text)
{
    WriteTo(STD_OUTPUT_HANDLE, text + L"\n");
}

void WriteErrorLine(const std::wstring& text)
{
    WriteTo(STD_ERROR_HANDLE, text + L"\n");
}

bool ErrorIsConsole()
{
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != FALSE;
}

size_t ErrorConsoleWidth()
{
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info)) {
        const SHORT columns = static_cast<SHORT>(info.srWindow.Right - info.srWindow.Left + 1);
        if (columns > 20) {
            return static_cast<size_t>(columns);
        }
    }
    return 80;
}
