// The real clock cuts long waits into slices with the idle hook between them,
// so that the window can repaint while an operation waits.
#include <gtest/gtest.h>

#include <poll.h>

#include <vector>

#include "serial/RealClock.h"
#include "serial/SerialPort.h"

namespace {

// A line on which nothing ever arrives, or something already has; it records
// how long each poll was allowed to take.
class QuietLine : public SerialPort {
public:
    explicit QuietLine(bool hasInput = false) : hasInput_(hasInput) {}
    std::vector<int> pollTimeoutsMs;

    void applyLineSettings() override {}
    void setRts(bool) override {}
    bool write(const std::uint8_t*, std::size_t) override { return true; }
    void drain() override {}
    Status queryStatus() override { return {}; }
    std::size_t read(std::uint8_t*, std::size_t) override { return 0; }
    void purge() override {}
    bool waitReadable(int timeoutMs) override
    {
        pollTimeoutsMs.push_back(timeoutMs);
        if (!hasInput_)
            ::poll(nullptr, 0, timeoutMs);
        return hasInput_;
    }

private:
    bool hasInput_;
};

TEST(RealClock, WaitForInputPollsInSlicesWithTheIdleHookBetween)
{
    RealClock clock;
    int idleCalls = 0;
    clock.setIdleHook([&] { ++idleCalls; });
    QuietLine line;

    EXPECT_FALSE(clock.waitForInput(line, clock.tick() + 4 * IDLE_TURN_MS));
    ASSERT_GE(line.pollTimeoutsMs.size(), 4u);
    for (const int sliceMs : line.pollTimeoutsMs) {
        EXPECT_GT(sliceMs, 0);
        EXPECT_LE(sliceMs, int(IDLE_TURN_MS));
    }
    // A turn before every slice, give or take one at the end: a last sliver of
    // a slice (the deadline counts whole ticks) may come too soon after the
    // turn before it, and the deadline may be found only after one more turn.
    const int slices = int(line.pollTimeoutsMs.size());
    EXPECT_GE(idleCalls, slices - 1);
    EXPECT_LE(idleCalls, slices + 1);
}

TEST(RealClock, WaitForInputReturnsAtOnceWhenInputIsThere)
{
    RealClock clock;
    QuietLine line(true);
    EXPECT_TRUE(clock.waitForInput(line, clock.tick() + 300));
    EXPECT_EQ(line.pollTimeoutsMs.size(), 1u);
}

TEST(RealClock, PauseCallsTheIdleHookOnTheWay)
{
    RealClock clock;
    int idleCalls = 0;
    clock.setIdleHook([&] { ++idleCalls; });
    const std::uint32_t start = clock.tick();
    clock.pause(3 * IDLE_TURN_MS);
    EXPECT_GE(clock.tick() - start, 3 * IDLE_TURN_MS);
    EXPECT_GE(idleCalls, 3); // in slices of IDLE_TURN_MS at most
}

TEST(RealClock, PastDeadlineDoesNotWait)
{
    RealClock clock;
    QuietLine line;
    EXPECT_FALSE(clock.waitForInput(line, clock.tick() - 5));
    EXPECT_TRUE(line.pollTimeoutsMs.empty());
}

// A read or a write is made of thousands of pauses of 1 to 30 ms: none is long
// enough to be sliced, yet the window must get its turn every IDLE_TURN_MS or
// so, and not at every pause.
TEST(RealClock, ShortPausesInARowGiveTheIdleHookATurnEveryInterval)
{
    RealClock clock;
    std::vector<std::uint32_t> turnTicks;
    clock.setIdleHook([&] { turnTicks.push_back(clock.tick()); });
    const std::uint32_t start = clock.tick();
    for (int i = 0; i < 60; ++i)
        clock.pause(5);
    const std::uint32_t took = clock.tick() - start;
    EXPECT_GE(turnTicks.size(), std::size_t(took / IDLE_TURN_MS));
    EXPECT_LE(turnTicks.size(), std::size_t(took / IDLE_TURN_MS + 1));
    for (std::size_t i = 1; i < turnTicks.size(); ++i)
        EXPECT_GE(turnTicks[i] - turnTicks[i - 1], IDLE_TURN_MS - 1);
}

// Sleeps are aimed ahead of their time to make up for late wake-ups; none may
// end before it, or a pause on the wire would come out shorter than prescribed.
TEST(RealClock, SleepsNeverEndBeforeTheirTime)
{
    RealClock clock;
    int early = 0;
    for (int i = 0; i < 400; ++i) {
        const std::uint64_t until = clock.nowUs() + 50 + std::uint64_t(i % 7) * 90;
        clock.sleepUntilUs(until);
        if (clock.nowUs() < until)
            ++early;
    }
    EXPECT_EQ(early, 0);
    const std::uint64_t start = clock.nowUs();
    for (int i = 0; i < 20; ++i)
        clock.pause(1);
    EXPECT_GE(clock.nowUs() - start, 20'000u);
}

} // namespace
