// Passing an event received from Kivlink on to the sinks of one of the proxy's connection
// points, with the arguments as received.
#pragma once

#include "com/ConnectionPoint.h"

namespace kivproxy {

// Every sink gets its own copy of a by-reference VARIANT_BOOL (the cancel flag of a progress
// report), as Kivlink does it: a sink that answers VARIANT_FALSE cannot take back another
// sink's VARIANT_TRUE. One sink asking is enough: the flag received becomes VARIANT_TRUE and so
// travels back to the sender. The sinks' own results are ignored.
HRESULT RefireToSinks(const tolv::com::ConnectionPoint& point, DISPID id, DISPPARAMS& params) noexcept;

}  // namespace kivproxy
