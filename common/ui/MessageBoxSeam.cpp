#include "ui/MessageBoxSeam.h"

#include <atomic>

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

MessageBoxAnswerer SetMessageBoxAnswerer(MessageBoxAnswerer answerer)
{
    return g_answerer.exchange(answerer);
}

}  // namespace tolv::ui
