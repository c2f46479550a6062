// One failure path, after WIL's result macros and Wine's one debug channel per file. A source
// file names its unit once, at namespace scope, and then returns failures through the macros:
//
//     TOLV_TRACE_UNIT("CopyFromPC");
//     ...
//     TOLV_RETURN_IF_FAILED(file.File()->ReadSize(size));   // "ERROR 0x%x [CopyFromPC 212]"
//     TOLV_RETURN_IF_FAILED_EXPECTED(device.GetEntry(path, entry));  // the caller expects it: no line
//     TOLV_RETURN_HR_IF(E_INVALIDARG, target.name.empty());
//     TOLV_RETURN_LAST_ERROR_IF(!DeleteFileW(path));
//     hr = TOLV_LOG_IF_FAILED(hr);                          // traced, and the work goes on
//
// The lines go to the trace of the calling thread (a worker sets its own for its life), or
// else to the process's. Lines whose unit and number the trace readers know (they are not
// this file's lines) are named sites:
//
//     constexpr tolv::trace::site kUnknownMainRequest{"CModule", 837};
//     tolv::trace::Error(kUnknownMainRequest);              // "ERROR [CModule 837]"
#pragma once

#include "com/HResult.h"
#include "trace/TolvTrace.h"

#include <windows.h>

namespace tolv::trace {

struct site {
    const char* unit;
    int line;
    int level = 1;
    // "ERROR  0x%x [%s %d]": the long operations' lines carry two spaces.
    bool wideGap = false;
};

// The trace failures of this thread go to; null when neither the thread nor the process has one.
CTolvTrace* CurrentTrace() noexcept;
void SetProcessTrace(CTolvTrace* trace) noexcept;

// The calling thread's trace for the scope's life.
class thread_trace_scope {
public:
    explicit thread_trace_scope(CTolvTrace* trace) noexcept;
    ~thread_trace_scope();
    thread_trace_scope(const thread_trace_scope&) = delete;
    thread_trace_scope& operator=(const thread_trace_scope&) = delete;

private:
    CTolvTrace* m_previous;
};

// "ERROR 0x%x [%s %d]", "ERROR [%s %d]" and "WARNING [%s %d]"; trace null: CurrentTrace().
void Failure(HRESULT hr, const site& at, CTolvTrace* trace = nullptr) noexcept;
void Error(const site& at, CTolvTrace* trace = nullptr) noexcept;
void Warning(const site& at, CTolvTrace* trace = nullptr) noexcept;

// The macros' own: traces the failure and hands it back.
inline HRESULT Traced(HRESULT hr, const char* unit, int line) noexcept
{
    Failure(hr, site{unit, line});
    return hr;
}

}  // namespace tolv::trace

#define TOLV_TRACE_UNIT(name)                                                                                          \
    namespace {                                                                                                        \
    [[maybe_unused]] constexpr char tolvTraceUnit[] = name;                                                            \
    }                                                                                                                  \
    static_assert(true)

// This file's unit and the current line, for the lines written without an HRESULT:
//     tolv::trace::Error(TOLV_HERE);                       // "ERROR [CopyFromPC 211]"
#define TOLV_HERE (::tolv::trace::site{tolvTraceUnit, __LINE__})

#define TOLV_RETURN_IF_FAILED(expr)                                                                                    \
    do {                                                                                                               \
        const HRESULT tolv_hr_ = (expr);                                                                               \
        if (FAILED(tolv_hr_)) {                                                                                        \
            return ::tolv::trace::Traced(tolv_hr_, tolvTraceUnit, __LINE__);                                           \
        }                                                                                                              \
    } while (0)

#define TOLV_RETURN_IF_FAILED_EXPECTED(expr)                                                                           \
    do {                                                                                                               \
        const HRESULT tolv_hr_ = (expr);                                                                               \
        if (FAILED(tolv_hr_)) {                                                                                        \
            return tolv_hr_;                                                                                           \
        }                                                                                                              \
    } while (0)

#define TOLV_RETURN_HR_IF(hr, condition)                                                                               \
    do {                                                                                                               \
        if (condition) {                                                                                               \
            return ::tolv::trace::Traced((hr), tolvTraceUnit, __LINE__);                                               \
        }                                                                                                              \
    } while (0)

#define TOLV_RETURN_HR_IF_EXPECTED(hr, condition)                                                                      \
    do {                                                                                                               \
        if (condition) {                                                                                               \
            return (hr);                                                                                               \
        }                                                                                                              \
    } while (0)

#define TOLV_RETURN_LAST_ERROR_IF(condition)                                                                           \
    do {                                                                                                               \
        if (condition) {                                                                                               \
            return ::tolv::trace::Traced(::tolv::com::HResultFromLastError(), tolvTraceUnit, __LINE__);                \
        }                                                                                                              \
    } while (0)

// The HRESULT itself, traced when it is a failure.
#define TOLV_LOG_IF_FAILED(expr)                                                                                       \
    [&](HRESULT tolv_hr_, int tolv_line_) {                                                                            \
        if (FAILED(tolv_hr_)) {                                                                                        \
            ::tolv::trace::Failure(tolv_hr_, ::tolv::trace::site{tolvTraceUnit, tolv_line_});                          \
        }                                                                                                              \
        return tolv_hr_;                                                                                               \
    }((expr), __LINE__)
