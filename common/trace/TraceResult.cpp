#include "trace/TraceResult.h"

namespace tolv::trace {

namespace {

thread_local CTolvTrace* t_threadTrace = nullptr;
CTolvTrace* volatile g_processTrace = nullptr;

CTolvTrace* Resolve(CTolvTrace* trace) noexcept
{
    return trace ? trace : CurrentTrace();
}

}  // namespace

CTolvTrace* CurrentTrace() noexcept
{
    return t_threadTrace ? t_threadTrace : g_processTrace;
}

void SetProcessTrace(CTolvTrace* trace) noexcept
{
    g_processTrace = trace;
}

thread_trace_scope::thread_trace_scope(CTolvTrace* trace) noexcept : m_previous(t_threadTrace)
{
    t_threadTrace = trace;
}

thread_trace_scope::~thread_trace_scope()
{
    t_threadTrace = m_previous;
}

void Failure(HRESULT hr, const site& at, CTolvTrace* trace) noexcept
{
    if (CTolvTrace* target = Resolve(trace))
        target->Format(at.level, at.wideGap ? "ERROR  0x%x [%s %d]" : "ERROR 0x%x [%s %d]", static_cast<unsigned>(hr),
                       at.unit, at.line);
}

void Error(const site& at, CTolvTrace* trace) noexcept
{
    if (CTolvTrace* target = Resolve(trace))
        target->Format(at.level, "ERROR [%s %d]", at.unit, at.line);
}

void Warning(const site& at, CTolvTrace* trace) noexcept
{
    if (CTolvTrace* target = Resolve(trace))
        target->Format(at.level, "WARNING [%s %d]", at.unit, at.line);
}

}  // namespace tolv::trace
