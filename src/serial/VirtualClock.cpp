#include "serial/VirtualClock.h"

#include <algorithm>

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
        passTo(*next);
        return true;
    }
    passTo(deadlineUs);
    return false;
}

void VirtualClock::passTo(std::uint64_t us)
{
    constexpr std::uint64_t sliceUs = std::uint64_t(IDLE_TURN_MS) * 1000;
    do {
        nowUs_ = std::max(nowUs_, std::min(us, nowUs_ + sliceUs));
        idle();
    } while (nowUs_ < us);
}
