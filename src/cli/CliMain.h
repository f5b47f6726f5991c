// The command line from its arguments to its exit status: parsing, then the
// command. main() hands in the real clock, ports and streams; tests their own.
#pragma once

#include <string>
#include <vector>

#include "cli/CliServices.h"

// The arguments after the program's name; returns the exit status.
int runCli(const std::vector<std::string>& arguments, CliServices& services, CliConsole& console);
