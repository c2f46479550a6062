#include "MessageBoxWatcher.h"

namespace {

// The message box's text control.
constexpr int kBoxTextId = 0xFFFF;
constexpr DWORD kPollMs = 50;

std::wstring WindowText(HWND window)
{
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    return text;
}

struct BoxSearch {
    const std::wstring* caption;
    HWND found;
};

// Other dialogs may share the caption (a progress dialog); a box is the one with its text control.
BOOL CALLBACK MatchBox(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<BoxSearch*>(parameter);
    wchar_t className[16] = {};
    GetClassNameW(window, className, static_cast<int>(std::size(className)));
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window) && GetDlgItem(window, kBoxTextId) &&
        WindowText(window) == *search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindBox(const std::wstring& caption)
{
    BoxSearch search{&caption, nullptr};
    EnumWindows(&MatchBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

CMessageBoxWatcher::CMessageBoxWatcher(std::wstring caption, int answer)
    : m_caption(std::move(caption)),
      m_answer(answer),
      m_thread([this] { Watch(); })
{
}

CMessageBoxWatcher::~CMessageBoxWatcher()
{
    m_stop = true;
    m_thread.Join();
}

std::vector<std::wstring> CMessageBoxWatcher::Texts() const
{
    tolv::com::auto_lock lock(m_lock);
    return m_texts;
}

bool CMessageBoxWatcher::WaitForBoxes(size_t count, DWORD timeoutMs) const
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        {
            tolv::com::auto_lock lock(m_lock);
            if (m_texts.size() >= count)
                return true;
        }
        if (GetTickCount64() >= end)
            return false;
        Sleep(kPollMs);
    }
}

void CMessageBoxWatcher::Watch()
{
    while (!m_stop) {
        HWND box = FindBox(m_caption);
        if (box) {
            const std::wstring text = WindowText(GetDlgItem(box, kBoxTextId));
            // A box closes through its button; a box without that button takes IDCANCEL.
            const int answer = GetDlgItem(box, m_answer) ? m_answer : IDCANCEL;
            if (SendMessageTimeoutW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0, SMTO_ABORTIFHUNG, 5000,
                                    nullptr)) {
                // Wait for the box to go so that it is counted once.
                for (int i = 0; i < 100 && IsWindow(box); ++i)
                    Sleep(kPollMs);
                tolv::com::auto_lock lock(m_lock);
                m_texts.push_back(text);
            }
        }
        Sleep(kPollMs);
    }
}
