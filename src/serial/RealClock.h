// The program's clock: the steady system clock, real sleeps and poll() on the
// port. The idle hook gets a turn every IDLE_TURN_MS or so of an operation: at
// the start of any pause or wait once the last turn is that long ago, and
// between the IDLE_TURN_MS slices of a long one, so that the window repaints
// also while an operation is made of many short pauses (1 ms, 10 ms) and short
// waits.
#pragma once

#include "serial/Clock.h"

class RealClock : public Clock {
public:
    // Sleeps and waits of the calling thread (the one the operations run on)
    // end as close to their time as the system can make them.
    RealClock();

    std::uint64_t nowUs() override;
    void pause(std::uint32_t ms) override;
    void sleepUntilUs(std::uint64_t us) override;
    bool waitForInput(SerialPort& port, std::uint32_t deadlineTick) override;

private:
    // The most a sleep is aimed ahead of its time; beyond it, waiting awake
    // would cost more processor time than the lateness it saves.
    static constexpr std::uint64_t MAX_EARLY_US = 100;

    void idleWhenDue();
    // Settles on the middle of the recent wake-ups' lateness: half of them end
    // a few microseconds early and wait awake, half a few microseconds late,
    // and a rare very late one (the machine busy) moves the aim by only one.
    void learnLateness(std::uint64_t lateUs)
    {
        if (lateUs > earlyUs_)
            earlyUs_ = earlyUs_ < MAX_EARLY_US ? earlyUs_ + 1 : MAX_EARLY_US;
        else if (earlyUs_ > 0)
            --earlyUs_;
    }

    std::uint64_t lastIdleUs_ = 0;
    std::uint64_t earlyUs_ = 0; // how far ahead of its time a sleep is aimed
};
