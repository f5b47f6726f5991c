#include "progress/GaugeArithmetic.h"

GaugeArithmetic::Action GaugeArithmetic::start(std::uint32_t total)
{
    if (total == 0)
        return {};
    total_ = total;
    done_ = 0;
    value_ = 0;
    showing_ = true;
    return {Action::SHOW, 0};
}

GaugeArithmetic::Action GaugeArithmetic::step()
{
    if (!showing_)
        return {};
    ++done_;
    if (done_ >= total_)
        return finish();
    const int value = int(double(done_) * double(range_) / double(total_));
    if (value == value_)
        return {};
    value_ = value;
    return {Action::SET_VALUE, value};
}

GaugeArithmetic::Action GaugeArithmetic::finish()
{
    const bool wasShowing = showing_;
    showing_ = false;
    done_ = 0;
    return wasShowing ? Action{Action::REMOVE, 0} : Action{};
}
