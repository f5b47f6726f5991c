// Real time for the program.
#include "serial/RealClock.h"

#include <algorithm>
#include <cerrno>

#include <sys/prctl.h>
#include <time.h>

#include "serial/SerialPort.h"

namespace {

constexpr std::uint64_t IDLE_SLICE_US = std::uint64_t(IDLE_TURN_MS) * 1000;

} // namespace

RealClock::RealClock()
{
    // Linux lets a sleep or a poll of a normal thread end up to 50 us late, so
    // that it can batch wake-ups. A read of 2 KB makes five to seven short sleeps
    // and waits a word, a thousand words in all: the slack alone added about a
    // tenth to its time. One nanosecond asks for no slack at all.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

std::uint64_t RealClock::nowUs()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return std::uint64_t(now.tv_sec) * 1'000'000 + std::uint64_t(now.tv_nsec) / 1000;
}

void RealClock::pause(std::uint32_t ms)
{
    // The end is fixed up front, so the time the idle hook takes is part of
    // the pause; only a turn longer than the whole pause makes it longer.
    // A slice ends when the next turn is due, counted from the start of the
    // last one, so that the turn's own time does not push the next one back.
    const std::uint64_t endUs = nowUs() + std::uint64_t(ms) * 1000;
    for (;;) {
        idleWhenDue();
        if (nowUs() >= endUs)
            return;
        sleepUntilUs(std::min(endUs, lastIdleUs_ + IDLE_SLICE_US));
    }
}

void RealClock::sleepUntilUs(std::uint64_t us)
{
    // Even without slack the system wakes a sleeper some tens of microseconds
    // after its time, about as late each time; a read makes three such sleeps
    // a word that the next step waits for, which came to a few percent of its
    // time. So the sleep is aimed that much early, on the absolute time, and
    // what is left is waited out awake: the end is never earlier than asked.
    if (us > nowUs() + earlyUs_) {
        const std::uint64_t aimUs = us - earlyUs_;
        const timespec at{static_cast<time_t>(aimUs / 1'000'000), static_cast<long>(aimUs % 1'000'000) * 1000};
        while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
        }
        learnLateness(nowUs() - aimUs);
    }
    while (nowUs() < us) {
    }
}

bool RealClock::waitForInput(SerialPort& port, std::uint32_t deadlineTick)
{
    for (;;) {
        // A byte that arrives during the turn is found by the poll at once.
        idleWhenDue();
        const auto msLeft = static_cast<std::int32_t>(deadlineTick - tick());
        if (msLeft <= 0)
            return false;
        // Until the next turn is due (whole milliseconds, rounded up), as in pause().
        const std::uint64_t now = nowUs();
        const std::uint64_t dueUs = lastIdleUs_ + IDLE_SLICE_US;
        const auto untilTurnMs = static_cast<std::int32_t>(dueUs > now ? (dueUs - now + 999) / 1000 : 1);
        const int sliceMs = std::min<std::int32_t>(msLeft, std::max<std::int32_t>(untilTurnMs, 1));
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
