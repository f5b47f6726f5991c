// "diff A B": two image files compared offline, as the window compares two
// buffers ("Porównaj z") after loading them into two pages: the engine's
// comparison, byte k of one against byte k of the other, every differing
// offset listed with both values, and the window's summary.
#pragma once

#include "cli/CliArguments.h"
#include "cli/CliServices.h"
#include "cli/ExitStatus.h"

ExitStatus diffImages(const CliOptions& options, CliServices& services, CliConsole& console);
