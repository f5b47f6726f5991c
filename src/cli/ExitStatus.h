// The command line's exit statuses, one per class of failure, so that a script
// can tell a board that refused from a cable that fell out. --help lists them.
#pragma once

#include <string>

enum class ExitStatus : int {
    Ok = 0,
    Failures = 1,       // failed cells after a write, differences after a verify or a diff
    Usage = 2,          // unknown command, option or model, a bad value
    File = 3,           // an image that cannot be read or is too large, an output that cannot be written
    Port = 4,           // the port cannot be opened
    NoGreeting = 5,     // the adapter did not greet, or greeted wrongly
    NoAnswer = 6,       // the target did not answer, or the connection was lost
    Refused = 7,        // protection, ECLKDIV or ESTAT stopped a write
    Interrupted = 130,  // Ctrl+C or SIGTERM, as shells count a death by SIGINT
};

// The class of a box the engine's procedures show (its text); Ok for boxes
// that are no failure (the crystal warning, the parameters).
ExitStatus exitStatusOfBox(const std::string& text);
