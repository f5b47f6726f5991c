// The arithmetic behind the progress gauge, without the control: the range is
// half the status field's width, taken once per run; a step moves the gauge
// only when its value changes, so a long operation costs at most `range`
// updates of the control; the step that reaches the total ends the gauge.
#pragma once

#include <cstdint>

class GaugeArithmetic {
public:
    // What the control has to do after a call.
    struct Action {
        enum Kind { NOTHING, SHOW, SET_VALUE, REMOVE } kind = NOTHING;
        int value = 0;
    };

    // The range from the width of status field 2, on the first start of the run
    // only: later resizes of the window do not change it.
    bool rangeKnown() const { return range_ != 0; }
    void captureFieldWidth(int width) { range_ = width / 2; }
    int range() const { return range_; }

    Action start(std::uint32_t total);
    Action step();
    Action finish();

    bool shown() const { return showing_; }
    std::uint32_t done() const { return done_; }

private:
    int range_ = 0;
    std::uint32_t total_ = 0;
    std::uint32_t done_ = 0;
    int value_ = 0;
    bool showing_ = false;
};
