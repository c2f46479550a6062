// What the MP3 page's GUI tests share: a profile file of the test's own, the boxes the page
// showed (answered with OK), and waiting while this thread's windows keep working.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A fresh profile path in the temporary folder, deleted again with the object.
class TestProfile {
public:
    explicit TestProfile(const wchar_t* name);
    ~TestProfile();
    TestProfile(const TestProfile&) = delete;
    TestProfile& operator=(const TestProfile&) = delete;

    const std::wstring& Path() const { return m_path; }
    std::wstring Value(const wchar_t* section, const wchar_t* key) const;

private:
    std::wstring m_path;
};

// Every message box of this process while it lives, answered with OK.
class RecordedBoxes {
public:
    struct Box {
        std::wstring text;
        std::wstring caption;
    };
    RecordedBoxes();
    ~RecordedBoxes();
    RecordedBoxes(const RecordedBoxes&) = delete;
    RecordedBoxes& operator=(const RecordedBoxes&) = delete;

    std::vector<Box> Boxes() const;
};

// Handles this thread's messages until `condition` holds, up to `timeoutMs`.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
