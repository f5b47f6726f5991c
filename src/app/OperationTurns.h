// The window's turns during an operation. Operations run on the GUI thread
// from start to end; the clock offers a turn during its pauses and waits, and
// the window takes one (paints and sizes, nothing else: the user's clicks and
// keys stay queued until the operation ends) when its last turn is at least
// IDLE_TURN_MS ago on the operation's own clock. On the virtual clock of the
// tests the turns therefore fall where the program's would.
#pragma once

#include <cstdint>
#include <functional>

class Clock;

class OperationTurns {
public:
    explicit OperationTurns(Clock& clock) : clock_(clock) {}

    // The clock's idle hook: a turn when one is due.
    void offer();
    // A turn now, due or not (an operation that starts shows its gauge). It
    // leaves the schedule as it was: the clock, which knows nothing of it,
    // offers the next turn when it would have, and that one is taken.
    void take();

    // Called at every turn with the clock's time (tests and benchmarks watch
    // how far apart the turns come).
    std::function<void(std::uint64_t nowUs)> watcher;

private:
    Clock& clock_;
    std::uint64_t lastTurnUs_ = 0;
};
