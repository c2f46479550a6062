// kivctl's commands, one function each, run against one KivVolume2 object (or, for the
// one-volume commands, one KivMobilePhone object; for status and port, one KivGeneral). COM must be
// initialised on the calling thread as a single-threaded apartment, whose messages the
// long operations pump while they wait.
#pragma once

#include "tools/kivctl/CommandLine.h"
#include "tools/kivctl/ExitCodes.h"

// Runs a parsed command line (not Help) and reports its failure on standard error.
KivctlExitCode RunCommand(const KivctlCommandLine& line);
