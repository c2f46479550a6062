// CTraceExit: writes one "Exit  f() with ..." line when the function reports how it ends.
#pragma once
#include "trace/TolvTrace.h"

class CTraceExit {
public:
    CTraceExit(CTolvTrace* trace, int level, const char* function) noexcept;
    CTraceExit(const CTraceExit&) = delete;
    CTraceExit& operator=(const CTraceExit&) = delete;

    // Writes the exit line once; later calls write nothing.
    void Finish(const char* format, ...) noexcept TOLV_TRACE_PRINTF(2, 3);

private:
    CTolvTrace* m_trace;
    int m_level;
    const char* m_function;
};
