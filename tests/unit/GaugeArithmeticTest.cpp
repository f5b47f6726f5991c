// The progress gauge's arithmetic: range, the values it is set to, and when it goes.
#include <gtest/gtest.h>

#include <vector>

#include "progress/GaugeArithmetic.h"

namespace {

using Action = GaugeArithmetic::Action;

// The values set during `steps` steps of an operation of `total`, and the step
// (1-based) at which the gauge went, 0 if it stayed.
struct GaugeRun {
    std::vector<int> values;
    std::uint32_t removedAt = 0;
};

GaugeRun runGauge(GaugeArithmetic& gauge, std::uint32_t total, std::uint32_t steps)
{
    GaugeRun result;
    gauge.start(total);
    for (std::uint32_t i = 1; i <= steps; ++i) {
        const Action action = gauge.step();
        if (action.kind == Action::SET_VALUE)
            result.values.push_back(action.value);
        if (action.kind == Action::REMOVE && result.removedAt == 0)
            result.removedAt = i;
    }
    return result;
}

} // namespace

TEST(GaugeArithmetic, RangeIsHalfTheFieldWidthTakenOnce)
{
    GaugeArithmetic gauge;
    EXPECT_FALSE(gauge.rangeKnown());
    gauge.captureFieldWidth(201);
    EXPECT_EQ(gauge.range(), 100);
}

TEST(GaugeArithmetic, ThousandStepsMoveTheGaugeEveryTenSteps)
{
    GaugeArithmetic gauge;
    gauge.captureFieldWidth(200);
    const GaugeRun r = runGauge(gauge, 1000, 1000);
    ASSERT_EQ(r.values.size(), 99u); // 1..99; the 1000th step removes the gauge
    EXPECT_EQ(r.values.front(), 1);
    EXPECT_EQ(r.values.back(), 99);
    EXPECT_EQ(r.removedAt, 1000u);
}

TEST(GaugeArithmetic, EndingCases)
{
    struct Case {
        std::uint32_t total, steps;
        std::uint32_t removedAt;
        std::size_t updates;
    };
    const Case cases[] = {
        {1, 1, 1, 0},      // the first step removes it at once
        {3, 10, 3, 2},     // steps after the end change nothing
        {10, 4, 0, 4},     // fewer steps than the total: stays until finish
        {0, 5, 0, 0},      // nothing shown, nothing removed
        {1000000, 10, 0, 0}, // a long run stays at 0 for its first steps
    };
    for (const Case& c : cases) {
        GaugeArithmetic gauge;
        gauge.captureFieldWidth(200);
        const GaugeRun r = runGauge(gauge, c.total, c.steps);
        EXPECT_EQ(r.removedAt, c.removedAt) << c.total << "/" << c.steps;
        EXPECT_EQ(r.values.size(), c.updates) << c.total << "/" << c.steps;
    }
}

TEST(GaugeArithmetic, FinishRemovesOnlyAShownGauge)
{
    GaugeArithmetic gauge;
    gauge.captureFieldWidth(200);
    EXPECT_EQ(gauge.start(0).kind, Action::NOTHING);
    EXPECT_EQ(gauge.finish().kind, Action::NOTHING);
    EXPECT_EQ(gauge.start(5).kind, Action::SHOW);
    gauge.step();
    EXPECT_EQ(gauge.finish().kind, Action::REMOVE);
    EXPECT_EQ(gauge.step().kind, Action::NOTHING);
    EXPECT_EQ(gauge.done(), 0u);
}
