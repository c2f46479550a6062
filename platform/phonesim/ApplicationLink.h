// The way from the simulator's objects back to the event sinks of the application object
// they were reached through. Devices, drives, folders and files keep the link of their
// application object, so that the events of an operation go to that object's sinks only.
// The link outlives the application object; once that is gone, it has no sinks.
#pragma once

#include <vector>

#include <windows.h>
#include <ole2.h>

#include "com/ComPtr.h"
#include "com/ConnectionPoint.h"
#include "com/CriticalSection.h"

namespace phonesim {

class CApplicationLink {
public:
    explicit CApplicationLink(tolv::com::ConnectionPoint& point) noexcept : m_point(&point) {}
    CApplicationLink(const CApplicationLink&) = delete;
    CApplicationLink& operator=(const CApplicationLink&) = delete;

    // The application object is going away.
    void Detach() noexcept;
    // The sinks advised right now, each with a reference.
    std::vector<tolv::com::com_ptr<IDispatch>> Sinks() const noexcept;

private:
    mutable tolv::com::critical_section m_lock;
    tolv::com::ConnectionPoint* m_point;
};

}  // namespace phonesim
