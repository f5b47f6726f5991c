// Ctrl+C, Ctrl+Break and closing the console on Windows. The first one only
// notes the wish, as on Linux; the handler then steps aside, so a second one
// ends the program at once.
#include "cli/Interruption.h"

#include <io.h>
#include <windows.h>

#include <atomic>

namespace {

std::atomic<bool> requested{false};

BOOL WINAPI noteInterruption(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    if (requested.exchange(true))
        return FALSE; // the second time: the system's default, which ends the program
    return TRUE;
}

} // namespace

void catchInterruptions() { ::SetConsoleCtrlHandler(noteInterruption, TRUE); }

bool interruptionRequested() { return requested.load(); }

std::optional<std::string> readLineUnlessInterrupted(int fd)
{
    std::string line;
    for (;;) {
        char c = 0;
        const int n = ::_read(fd, &c, 1);
        if (interruptionRequested())
            return std::nullopt;
        if (n == 1 && c == '\n')
            return line;
        if (n == 1 && c != '\r') // the console ends a typed line with CR LF
            line += c;
        if (n == 1)
            continue;
        return std::nullopt;
    }
}
