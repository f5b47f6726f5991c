// "diff A B": two image files compared offline, as the window compares two
// buffers ("Porównaj z"): the engine's comparison over the two files' bytes,
// every differing offset listed with both values, and the window's summary.
#pragma once

#include "cli/CliArguments.h"
#include "cli/CliServices.h"
#include "cli/ExitStatus.h"

ExitStatus diffImages(const CliOptions& options, CliServices& services, CliConsole& console);
