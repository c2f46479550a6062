// CTraceScope: writes "Enter f(arguments)" where it is constructed and "Exit f" where it
// goes out of scope.
#pragma once
#include "trace/TolvTrace.h"

class CTraceScope {
public:
    CTraceScope(CTolvTrace* trace, int level, const char* function) noexcept;
    CTraceScope(CTolvTrace* trace, int level, const char* function, const char* format, ...) noexcept
        TOLV_TRACE_PRINTF(5, 6);
    ~CTraceScope();
    CTraceScope(const CTraceScope&) = delete;
    CTraceScope& operator=(const CTraceScope&) = delete;

private:
    void Enter(const char* arguments) noexcept;

    CTolvTrace* m_trace;
    int m_level;
    char m_function[260];
};
