#include "trace/TraceScope.h"

#include <cstdio>

CTraceScope::CTraceScope(CTolvTrace* trace, int level, const char* function) noexcept : m_trace(trace), m_level(level)
{
    std::snprintf(m_function, sizeof(m_function), "%s", function ? function : "");
    Enter("");
}

CTraceScope::CTraceScope(CTolvTrace* trace, int level, const char* function, const char* format, ...) noexcept
    : m_trace(trace),
      m_level(level)
{
    std::snprintf(m_function, sizeof(m_function), "%s", function ? function : "");
    if (!m_trace || !m_trace->WillWrite(level))
        return;
    char formatted[520] = "";
    va_list arguments;
    va_start(arguments, format);
    if (format)
        std::vsnprintf(formatted, sizeof(formatted), format, arguments);
    va_end(arguments);
    Enter(formatted);
}

CTraceScope::~CTraceScope()
{
    if (!m_trace)
        return;
    char line[260];
    std::snprintf(line, sizeof(line), "Exit %s", m_function);
    m_trace->Format(m_level, "%s", line);
    m_trace = nullptr;
}

void CTraceScope::Enter(const char* arguments) noexcept
{
    if (m_trace)
        m_trace->Format(m_level, "Enter %s(%s)", m_function, arguments);
}
