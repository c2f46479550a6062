#include "trace/TraceExit.h"

#include <cstdio>

CTraceExit::CTraceExit(CTolvTrace* trace, int level, const char* function) noexcept
    : m_trace(trace),
      m_level(level),
      m_function(function ? function : "")
{
}

void CTraceExit::Finish(const char* format, ...) noexcept
{
    CTolvTrace* trace = m_trace;
    m_trace = nullptr;
    if (!trace || !trace->WillWrite(m_level))
        return;
    char formatted[1040] = "";
    va_list arguments;
    va_start(arguments, format);
    if (format)
        std::vsnprintf(formatted, sizeof(formatted), format, arguments);
    va_end(arguments);
    trace->Format(m_level, "Exit  %s() with%s.", m_function, formatted);
}
