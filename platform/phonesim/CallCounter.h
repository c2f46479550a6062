// Counts every call the simulator serves to other processes, COM's own included (remote
// QueryInterface and Release): what a client pays in round trips to the phone, which a
// benchmark reads through the control object.
#pragma once

#include <windows.h>

namespace phonesim {

// Registers the counting channel hook with COM; once per process, after COM is initialised.
HRESULT StartCountingCalls() noexcept;
LONG ServedCalls() noexcept;

}  // namespace phonesim
