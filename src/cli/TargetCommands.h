// The commands that talk to a board: connect, read, write and verify. Each
// opens its port, connects as the window does (reset, greeting, crystal,
// MC9S12 parameters), runs the engine's procedure, reports, and releases the
// port. Files are read, and outputs checked, before the port is touched.
#pragma once

#include "cli/CliArguments.h"
#include "cli/CliServices.h"
#include "cli/ExitStatus.h"

ExitStatus runTargetCommand(const CliOptions& options, CliServices& services, CliConsole& console);
