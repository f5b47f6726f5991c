// Real time for the program.
#include "serial/RealClock.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "serial/SerialPort.h"

namespace {

// The window repaints at least this often during a pause or a wait.
constexpr std::uint64_t IDLE_SLICE_US = 30'000;

} // namespace

std::uint64_t RealClock::nowUs()
{
    using namespace std::chrono;
    return std::uint64_t(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

void RealClock::pause(std::uint32_t ms)
{
    // The end is fixed up front, so the time the idle hook takes is part of
    // the pause; only a turn longer than the whole pause makes it longer.
    const std::uint64_t endUs = nowUs() + std::uint64_t(ms) * 1000;
    for (;;) {
        idleWhenDue();
        const std::uint64_t now = nowUs();
        if (now >= endUs)
            return;
        sleepUntilUs(std::min(endUs, now + IDLE_SLICE_US));
    }
}

void RealClock::sleepUntilUs(std::uint64_t us)
{
    const std::uint64_t now = nowUs();
    if (us > now)
        std::this_thread::sleep_for(std::chrono::microseconds(us - now));
}

bool RealClock::waitForInput(SerialPort& port, std::uint32_t deadlineTick)
{
    for (;;) {
        // A byte that arrives during the turn is found by the poll at once.
        idleWhenDue();
        const auto msLeft = static_cast<std::int32_t>(deadlineTick - tick());
        if (msLeft <= 0)
            return false;
        const int sliceMs = std::min<std::int32_t>(msLeft, IDLE_SLICE_US / 1000);
        if (port.waitReadable(sliceMs))
            return true;
    }
}

void RealClock::idleWhenDue()
{
    const std::uint64_t now = nowUs();
    if (now - lastIdleUs_ < IDLE_SLICE_US)
        return;
    lastIdleUs_ = now;
    idle();
}
