#pragma once
// Answers every box of the code under test while it lives (OK, or Yes to a question) and keeps
// what they said. Boxes may come from any thread of the job.
#include <windows.h>

#include <string>
#include <vector>

struct RecordedBox {
    std::wstring text;
    std::wstring caption;
    UINT type;
};

class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    std::vector<RecordedBox> Boxes() const;
};
