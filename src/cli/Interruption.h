// Ctrl+C and SIGTERM during an operation. The first one only notes the wish:
// the frame on the line completes, the word in progress is finished, the
// procedure ends its own way (result line, flush) and the port is released;
// at the failure question it answers no. The handler then steps aside, so a
// second Ctrl+C ends the program at once.
#pragma once

#include <optional>
#include <string>

// Installs the handlers for SIGINT and SIGTERM.
void catchInterruptions();

// True once SIGINT or SIGTERM has come.
bool interruptionRequested();

// A line typed on the terminal (file descriptor fd), without its newline;
// none at the end of input, or when Ctrl+C comes while waiting for it.
std::optional<std::string> readLineUnlessInterrupted(int fd);
