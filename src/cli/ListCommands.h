// "ports" and "models": what the command line can be pointed at.
#pragma once

#include "cli/CliServices.h"
#include "cli/ExitStatus.h"

// Each COMn (at least COM1 to COM4, as many as the machine has serial ports)
// with the device it opens and that device's /dev/serial/by-id names; then the
// serial devices that no COMn reaches (a ROVIDADA_COMn points elsewhere).
ExitStatus listPorts(const CliServices& services, CliConsole& console);

// The model table, without its placeholder row.
ExitStatus listModels(CliConsole& console);
