#include "tests/support/TraceCapture.h"

using tolv::trace::CCriticalSectionLock;

namespace {

// "{[tid]} hh:mm:ss:micros level text"; a wide line has no level, and one whose text starts
// with its level and a space loses those too.
std::string TextOf(const std::string& line, int level)
{
    const size_t stampEnd = line.find(' ', line.find(' ') + 1);
    std::string text = stampEnd == std::string::npos ? std::string() : line.substr(stampEnd + 1);
    const std::string levelField = std::to_string(level) + ' ';
    if (text.starts_with(levelField))
        text.erase(0, levelField.size());
    return text;
}

}  // namespace

CTraceCapture::CTraceCapture() : m_previous(CTolvTrace::SetOutput(this)) {}

CTraceCapture::~CTraceCapture()
{
    CTolvTrace::SetOutput(m_previous);
}

void CTraceCapture::WriteLine(const CTolvTrace& trace, int level, std::string_view line) noexcept
{
    try {
        CCriticalSectionLock hold(m_lock);
        m_lines.push_back({trace.Path(), level, std::string(line)});
    } catch (...) {
    }
}

std::vector<CTraceCapture::Captured> CTraceCapture::Taken(std::string_view name) const
{
    const std::string file = std::string(name) + ".txt";
    CCriticalSectionLock hold(m_lock);
    std::vector<Captured> taken;
    for (const Captured& captured : m_lines)
        if (name.empty() || captured.path.ends_with(file))
            taken.push_back(captured);
    return taken;
}

std::vector<std::string> CTraceCapture::Lines(std::string_view name) const
{
    std::vector<std::string> lines;
    for (const Captured& captured : Taken(name))
        lines.push_back(captured.line);
    return lines;
}

std::vector<std::string> CTraceCapture::Texts(std::string_view name) const
{
    std::vector<std::string> texts;
    for (const Captured& captured : Taken(name))
        texts.push_back(TextOf(captured.line, captured.level));
    return texts;
}

bool CTraceCapture::EndsWithWords(std::string_view message, std::string_view text)
{
    return message == text || (message.size() > text.size() && message.ends_with(text) &&
                               message[message.size() - text.size() - 1] == ' ');
}

bool CTraceCapture::Wrote(std::string_view text, std::string_view name) const
{
    for (const std::string& message : Texts(name))
        if (EndsWithWords(message, text))
            return true;
    return false;
}

void CTraceCapture::Clear()
{
    CCriticalSectionLock hold(m_lock);
    m_lines.clear();
}
