// What the command line takes from outside, handed in so that tests can run it
// whole on the virtual clock against simulated boards they hold: the clock,
// the port opener, the environment and serial devices (for the port names),
// whether the user asked to stop, and the standard streams.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

#include "serial/Clock.h"
#include "serial/PortNames.h"
#include "serial/PortOpener.h"

struct CliConsole {
    std::ostream& out; // results: lists, the JSON summary, an image for "-o -"
    std::ostream& err; // progress, result lines, messages
    std::istream& in;  // an image for "-"; answers to questions, unless readAnswer
    bool inIsTerminal = false;
    bool outIsTerminal = false;
    bool errIsTerminal = false;
    // The answer to a question: a line typed, none when there is none to come
    // (the program's: Ctrl+C while waiting ends it too). Empty: a line of `in`.
    std::function<std::optional<std::string>()> readAnswer;
};

struct CliServices {
    Clock& clock;
    PortOpener& ports;
    EnvironmentLookup environment = systemEnvironment;
    SerialDeviceLister listDevices = [] { return listSerialDevices(); };
    std::string deviceAliasFolder = "/dev/serial/by-id";
    // True once the user has asked to stop (Ctrl+C): the operation ends after
    // the word in progress.
    std::function<bool()> stopRequested = [] { return false; };
};
