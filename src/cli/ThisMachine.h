// The command line as the program runs it: on the real clock, with this
// machine's serial ports (and simulated boards for "sim" ports), Ctrl+C, and
// the standard streams. Each system's main() adds what its console needs.
#pragma once

#include <string>
#include <vector>

// Which of the standard streams are terminals.
struct StandardStreamTerminals {
    bool in = false;
    bool out = false;
    bool err = false;
};

// The arguments after the program's name; returns the exit status.
int runCliOnThisMachine(const std::vector<std::string>& arguments, StandardStreamTerminals terminals);
