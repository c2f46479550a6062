// Keeps what this test program's traces write while it lives, in memory instead of the trace
// files, whatever the trace switch in the registry says; the output set before comes back
// at its end.
#pragma once
#include "trace/CriticalSection.h"
#include "trace/TolvTrace.h"

#include <string>
#include <string_view>
#include <vector>

class CTraceCapture final : public ITolvTraceOutput {
public:
    CTraceCapture();
    ~CTraceCapture();
    CTraceCapture(const CTraceCapture&) = delete;
    CTraceCapture& operator=(const CTraceCapture&) = delete;

    // name: the trace's file name stem; every trace when empty. Lines are whole, as the file
    // would hold them; texts are without time stamp and level.
    std::vector<std::string> Lines(std::string_view name = {}) const;
    std::vector<std::string> Texts(std::string_view name = {}) const;
    // Whether a text is `text` or ends with a space and `text`.
    bool Wrote(std::string_view text, std::string_view name = {}) const;
    static bool EndsWithWords(std::string_view message, std::string_view text);
    void Clear();

private:
    void WriteLine(const CTolvTrace& trace, int level, std::string_view line) noexcept override;

    struct Captured {
        std::string path;
        int level;
        std::string line;
    };
    std::vector<Captured> Taken(std::string_view name) const;

    mutable tolv::trace::CCriticalSection m_lock;
    std::vector<Captured> m_lines;
    ITolvTraceOutput* m_previous;
};
