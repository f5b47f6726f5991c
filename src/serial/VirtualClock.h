// A clock in which time only moves when the program pauses or waits: a pause
// advances it at once, and a wait for input jumps to the moment the simulated
// interface delivers its next byte. Tests use it to run long procedures in
// no real time and to assert every pause exactly. The idle hook follows
// each pause and wait, and comes between the IDLE_TURN_MS slices of a long
// one, as on the real clock: the window's turns fall where they would.
#pragma once

#include "serial/Clock.h"

class VirtualClock : public Clock {
public:
    explicit VirtualClock(std::uint64_t startUs = 1'000'000) : nowUs_(startUs) {}

    std::uint64_t nowUs() override { return nowUs_; }
    void pause(std::uint32_t ms) override { passTo(nowUs_ + std::uint64_t(ms) * 1000); }
    void sleepUntilUs(std::uint64_t us) override
    {
        if (us > nowUs_)
            nowUs_ = us;
    }
    bool waitForInput(SerialPort& port, std::uint32_t deadlineTick) override;

    // Moves time forward without a pause of the program (tests only).
    void advanceUs(std::uint64_t us) { nowUs_ += us; }

private:
    // Moves time to `us` in slices of IDLE_TURN_MS at most, the idle hook after each.
    void passTo(std::uint64_t us);

    std::uint64_t nowUs_;
};
