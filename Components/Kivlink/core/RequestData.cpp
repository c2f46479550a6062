#include "RequestData.h"

#include <cstdarg>
#include <cstdio>
#include <cstdint>

namespace {

void AppendLine(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

void AppendLine(std::string& out, const char* format, ...)
{
    char line[1024];
    va_list args;
    va_start(args, format);
    int written = vsnprintf(line, sizeof(line), format, args);
    va_end(args);
    if (written < 0)
        return;
    out.append(line, static_cast<size_t>(written) < sizeof(line) ? static_cast<size_t>(written) : sizeof(line) - 1);
    out.append("\r\n");
}

// Pointers are shown as numbers; on 64-bit only their low half fits the trace format.
unsigned AsNumber(const void* pointer)
{
    return static_cast<unsigned>(reinterpret_cast<uintptr_t>(pointer));
}

}  // namespace

std::string CRequestData::Dump() const
{
    std::string out;
    AppendLine(out, "m_typ=%d", static_cast<int>(m_typ));
    AppendLine(out, "m_firstStringArg=%s", m_firstStringArg.Narrow().c_str());
    AppendLine(out, "m_secondStringArg=%s", m_secondStringArg.Narrow().c_str());
    AppendLine(out, "m_thirdStringArg=%s", m_thirdStringArg.Narrow().c_str());
    AppendLine(out, "m_firstIntegerArg%d", static_cast<int>(m_firstIntegerArg));
    AppendLine(out, "m_secondIntegerArg=%d", static_cast<int>(m_secondIntegerArg));
    AppendLine(out, "m_thirdIntegerArg=%d", static_cast<int>(m_thirdIntegerArg));
    AppendLine(out, "m_firstBooleanArg=%d", m_firstBooleanArg ? 1 : 0);
    AppendLine(out, "m_secondBooleanArg=%d", m_secondBooleanArg ? 1 : 0);
    AppendLine(out, "m_firstInterfaceArg=%d", static_cast<int>(AsNumber(m_firstInterfaceArg)));
    AppendLine(out, "m_secondInterfaceArg=%d", static_cast<int>(AsNumber(m_secondInterfaceArg)));
    AppendLine(out, "m_RetVal=0x%x", static_cast<unsigned>(m_RetVal));
    AppendLine(out, "m_SelectedDevice%d", static_cast<int>(AsNumber(m_SelectedDevice.c_str())));
    AppendLine(out, "m_Response=0x%x", AsNumber(m_Response));
    AppendLine(out, "m_Callback=0x%x", AsNumber(m_Callback));
    AppendLine(out, "m_pSource=0x%x", AsNumber(m_pSource));
    return out;
}
