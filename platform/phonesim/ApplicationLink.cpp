#include "platform/phonesim/ApplicationLink.h"

namespace phonesim {

void CApplicationLink::Detach() noexcept
{
    tolv::com::auto_lock lock(m_lock);
    m_point = nullptr;
}

std::vector<tolv::com::com_ptr<IDispatch>> CApplicationLink::Sinks() const noexcept
{
    std::vector<tolv::com::com_ptr<IDispatch>> sinks;
    tolv::com::auto_lock lock(m_lock);
    if (m_point != nullptr) {
        m_point->Sinks(sinks);
    }
    return sinks;
}

}  // namespace phonesim
