// phonesim ports: the ports of the router library (SmRouterController) and their state. The
// router keeps them outside the simulator's server, so the verb reads them in place.
#pragma once

#include "platform/phonesim/ControlCommands.h"

namespace phonesim {

ControlResult RunPortsCommand(const Command& command);

}  // namespace phonesim
