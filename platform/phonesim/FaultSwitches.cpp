#include "platform/phonesim/FaultSwitches.h"

#include <cwchar>

namespace phonesim {

HRESULT CFaultSwitches::Arm(PhoneSimFault fault, LONG value)
{
    tolv::com::auto_lock lock(m_lock);
    switch (fault) {
    case faultStall:
        if (value <= 0) {
            return E_INVALIDARG;
        }
        m_stall = true;
        m_armed.stallMs = static_cast<DWORD>(value);
        return S_OK;
    case faultRepeatProgress:
        if (value <= 0) {
            return E_INVALIDARG;
        }
        m_repeat = true;
        m_armed.repeatProgress = value;
        return S_OK;
    case faultFailNext:
        if (SUCCEEDED(static_cast<HRESULT>(value))) {
            return E_INVALIDARG;
        }
        m_armed.fail = true;
        m_armed.failWith = static_cast<HRESULT>(value);
        return S_OK;
    case faultShortFile:
        m_armed.shortFile = true;
        return S_OK;
    case faultDisconnectMidway:
        m_armed.disconnectMidway = true;
        return S_OK;
    case faultVanishMidway:
        m_armed.vanishMidway = true;
        return S_OK;
    case faultStaleSizes:
        m_staleSizes = true;
        return S_OK;
    case faultEarlyEvent:
        if (value < 0) {
            return E_INVALIDARG;
        }
        m_earlyEventMs = value == 0 ? kDefaultEarlyEventMs : static_cast<DWORD>(value);
        return S_OK;
    }
    return E_INVALIDARG;
}

void CFaultSwitches::Clear()
{
    tolv::com::auto_lock lock(m_lock);
    m_armed = FaultPlan{};
    m_stall = false;
    m_repeat = false;
    m_earlyEventMs = 0;
    m_staleSizes = false;
}

bool CFaultSwitches::StaleSizes() const
{
    tolv::com::auto_lock lock(m_lock);
    return m_staleSizes;
}

std::wstring CFaultSwitches::Describe() const
{
    tolv::com::auto_lock lock(m_lock);
    std::wstring text;
    wchar_t line[64];
    if (m_stall) {
        swprintf(line, 64, L"stall %lu\n", static_cast<unsigned long>(m_armed.stallMs));
        text += line;
    }
    if (m_repeat) {
        swprintf(line, 64, L"repeat-progress %ld\n", static_cast<long>(m_armed.repeatProgress));
        text += line;
    }
    if (m_armed.fail) {
        swprintf(line, 64, L"fail-next 0x%08lX\n", static_cast<unsigned long>(m_armed.failWith));
        text += line;
    }
    if (m_armed.shortFile) {
        text += L"short-file\n";
    }
    if (m_armed.disconnectMidway) {
        text += L"disconnect-midway\n";
    }
    if (m_armed.vanishMidway) {
        text += L"vanish-midway\n";
    }
    if (m_staleSizes) {
        text += L"stale-sizes\n";
    }
    if (m_earlyEventMs != 0) {
        swprintf(line, 64, L"early-event %lu\n", static_cast<unsigned long>(m_earlyEventMs));
        text += line;
    }
    return text;
}

FaultPlan CFaultSwitches::TakeFor(bool isCopy)
{
    tolv::com::auto_lock lock(m_lock);
    FaultPlan plan = m_armed;
    m_armed = FaultPlan{};
    m_stall = false;
    m_repeat = false;
    if (!isCopy) {
        // Kept for the next copy.
        m_armed.shortFile = plan.shortFile;
        plan.shortFile = false;
    }
    return plan;
}

DWORD CFaultSwitches::TakeEarlyEvent()
{
    tolv::com::auto_lock lock(m_lock);
    const DWORD delay = m_earlyEventMs;
    m_earlyEventMs = 0;
    return delay;
}

}  // namespace phonesim
