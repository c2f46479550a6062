#include "ui/MessageBoxSeam.h"

#include "ui/AnsiText.h"

#include <atomic>
#include <string>

namespace tolv::ui {

namespace {

std::atomic<MessageBoxAnswerer> g_answerer{nullptr};

}  // namespace

int ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type)
{
    if (MessageBoxAnswerer answerer = g_answerer.load())
        return answerer(owner, text, caption, type);
    return MessageBoxW(owner, text, caption, type);
}

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    return ShowMessageBox(owner, AnsiToWide(text).c_str(), AnsiToWide(caption).c_str(), type);
}

MessageBoxAnswerer SetMessageBoxAnswerer(MessageBoxAnswerer answerer)
{
    return g_answerer.exchange(answerer);
}

}  // namespace tolv::ui
