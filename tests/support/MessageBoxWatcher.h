#pragma once
// Answers real message boxes by their caption, for code under test that shows them where the
// test's own seam does not reach (a plug-in DLL, another process). A watcher thread looks for
// top-level dialogs with the caption, keeps each box's text and presses the answer.
#include <windows.h>

#include <atomic>
#include "com/CriticalSection.h"
#include <string>
#include <vector>

#include "tests/support/TestThread.h"

class CMessageBoxWatcher {
public:
    // answer: the button pressed (IDOK, IDYES, IDNO, IDCANCEL).
    CMessageBoxWatcher(std::wstring caption, int answer = IDOK);
    ~CMessageBoxWatcher();
    CMessageBoxWatcher(const CMessageBoxWatcher&) = delete;
    CMessageBoxWatcher& operator=(const CMessageBoxWatcher&) = delete;

    // The texts of the boxes answered so far, in order.
    std::vector<std::wstring> Texts() const;
    // Waits until `count` boxes were answered; false after the time-out.
    bool WaitForBoxes(size_t count, DWORD timeoutMs) const;

private:
    void Watch();

    std::wstring m_caption;
    int m_answer;
    mutable tolv::com::critical_section m_lock;
    std::vector<std::wstring> m_texts;
    std::atomic<bool> m_stop{false};
    TestThread m_thread;
};
