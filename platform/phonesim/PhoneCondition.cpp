#include "platform/phonesim/PhoneCondition.h"

namespace phonesim {

namespace {

constexpr LONG kMaxPercent = 100;
// The revision is a 16-bit field of the module's version.
constexpr LONG kMaxRevision = 0xFFFF;

LONG Read(const volatile LONG& value) noexcept
{
    return InterlockedCompareExchange(const_cast<volatile LONG*>(&value), 0, 0);
}

}  // namespace

volatile LONG* CPhoneCondition::Slot(PhoneSimCondition which) noexcept
{
    switch (which) {
    case conditionBattery:
        return &m_battery;
    case conditionSignal:
        return &m_signal;
    case conditionMtmRevision:
        return &m_mtmRevision;
    default:
        return nullptr;
    }
}

HRESULT CPhoneCondition::Set(PhoneSimCondition which, LONG value) noexcept
{
    volatile LONG* slot = Slot(which);
    if (slot == nullptr || value < 0) {
        return E_INVALIDARG;
    }
    if (value > (which == conditionMtmRevision ? kMaxRevision : kMaxPercent)) {
        return E_INVALIDARG;
    }
    InterlockedExchange(slot, value);
    return S_OK;
}

HRESULT CPhoneCondition::Get(PhoneSimCondition which, LONG& value) const noexcept
{
    const volatile LONG* slot = const_cast<CPhoneCondition*>(this)->Slot(which);
    if (slot == nullptr) {
        return E_INVALIDARG;
    }
    value = Read(*slot);
    return S_OK;
}

void CPhoneCondition::TakeReading(LONG& battery, LONG& signal) noexcept
{
    battery = Read(m_battery);
    signal = Read(m_signal);
    InterlockedIncrement(&m_readings);
}

LONG CPhoneCondition::Readings() const noexcept
{
    return Read(m_readings);
}

}  // namespace phonesim
