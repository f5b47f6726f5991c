// The real clock on Windows: a 1 ms pause must last about 1 ms, not the
// system's 15.6 ms timer tick, or an EEPROM write would take sixteen times
// as long as its pauses say.
#include <gtest/gtest.h>

#include <chrono>

#include "serial/RealClock.h"

TEST(WindowsRealClock, OneMillisecondPausesHold)
{
    RealClock clock;
    constexpr int pauses = 100;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < pauses; ++i)
        clock.pause(1);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    RecordProperty("hundred_1ms_pauses_ms", std::to_string(ms));
    EXPECT_GE(ms, 100.0);
    // Generous for a loaded machine, yet far below the 1.56 s of the timer tick.
    EXPECT_LT(ms, 400.0);
}
