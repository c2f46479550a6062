// Runs a control verb against the simulator's server through its control object.
#pragma once

#include <string>

#include "platform/phonesim/CommandLine.h"

namespace phonesim {

struct ControlResult {
    int exitCode = 0;
    std::wstring output;
    std::wstring errors;
};

// COM must be initialised on the calling thread.
ControlResult RunControlCommand(const Command& command);

}  // namespace phonesim
