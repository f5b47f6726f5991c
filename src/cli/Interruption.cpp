#include "cli/Interruption.h"

#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace {

volatile std::sig_atomic_t requested = 0;

void noteInterruption(int) { requested = 1; }

} // namespace

void catchInterruptions()
{
    struct sigaction action {};
    action.sa_handler = noteInterruption;
    sigemptyset(&action.sa_mask);
    // System calls are not resumed, so that a wait for an answer ends; the
    // pauses, waits and writes of the link resume on their own. The default
    // comes back for a second signal.
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool interruptionRequested() { return requested != 0; }

std::optional<std::string> readLineUnlessInterrupted(int fd)
{
    std::string line;
    for (;;) {
        char c = 0;
        const ssize_t n = ::read(fd, &c, 1);
        if (n == 1 && c == '\n')
            return line;
        if (n == 1) {
            line += c;
            continue;
        }
        if (n < 0 && errno == EINTR && !interruptionRequested())
            continue;
        return std::nullopt;
    }
}
