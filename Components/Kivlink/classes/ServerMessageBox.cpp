#include "ServerMessageBox.h"

#include <atomic>

namespace {

std::atomic<ServerMessageBoxAnswerer> g_answerer{nullptr};

}  // namespace

int ShowServerMessageBox(const wchar_t* text, const wchar_t* caption, UINT type)
{
    if (ServerMessageBoxAnswerer answerer = g_answerer.load())
        return answerer(text, caption, type);
    return MessageBoxW(nullptr, text, caption, type);
}

ServerMessageBoxAnswerer SetServerMessageBoxAnswerer(ServerMessageBoxAnswerer answerer)
{
    return g_answerer.exchange(answerer);
}
