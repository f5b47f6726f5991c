// The program's clock: the steady system clock, real sleeps and poll() on the
// port. Long pauses and waits are cut into slices of about 30 ms with the idle
// hook between them, so the window can repaint during an operation.
#pragma once

#include "serial/Clock.h"

class RealClock : public Clock {
public:
    std::uint64_t nowUs() override;
    void pause(std::uint32_t ms) override;
    void sleepUntilUs(std::uint64_t us) override;
    bool waitForInput(SerialPort& port, std::uint32_t deadlineTick) override;
};
