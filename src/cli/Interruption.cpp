#include "cli/Interruption.h"

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
    // Interrupted system calls resume (the pauses and waits would end early
    // otherwise), and the default comes back for a second signal.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool interruptionRequested() { return requested != 0; }
