#include "PhoneCallSpan.h"

namespace {

// Of the two readings, the one that is served inside the span.
constexpr long kReadingsInSpan = 1;

long ReadCount(IPhoneSimControl* simulator)
{
    long calls = 0;
    return simulator && SUCCEEDED(simulator->GetCallCount(&calls)) ? calls : -1;
}

}  // namespace

CPhoneCallSpan::CPhoneCallSpan(IPhoneSimControl* simulator) : m_simulator(simulator), m_start(ReadCount(simulator)) {}

long CPhoneCallSpan::Calls() const
{
    const long end = ReadCount(m_simulator);
    return m_start < 0 || end < 0 ? -1 : end - m_start - kReadingsInSpan;
}
