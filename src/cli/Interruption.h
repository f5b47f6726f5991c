// Ctrl+C and SIGTERM during an operation. The first one only notes the wish:
// the frame on the line completes, the word in progress is finished, the
// procedure ends its own way (result line, flush) and the port is released.
// The handler then steps aside, so a second Ctrl+C ends the program at once.
#pragma once

// Installs the handlers for SIGINT and SIGTERM.
void catchInterruptions();

// True once SIGINT or SIGTERM has come.
bool interruptionRequested();
