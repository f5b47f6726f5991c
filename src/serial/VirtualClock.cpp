#include "serial/VirtualClock.h"

#include "serial/SerialPort.h"

bool VirtualClock::waitForInput(SerialPort& port, std::uint32_t deadlineTick)
{
    const auto msLeft = static_cast<std::int32_t>(deadlineTick - tick());
    const auto next = port.nextInputUs();
    if (next && *next <= nowUs_)
        return true;
    if (msLeft <= 0)
        return false;
    // The moment at which tick() reaches the deadline.
    const std::uint64_t deadlineUs = (nowUs_ / 1000 + std::uint64_t(msLeft)) * 1000;
    if (next && *next <= deadlineUs) {
        sleepUntilUs(*next);
        idle();
        return true;
    }
    sleepUntilUs(deadlineUs);
    idle();
    return false;
}
