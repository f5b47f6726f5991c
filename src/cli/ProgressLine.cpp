#include "cli/ProgressLine.h"

#include <ostream>

#include "texts/FillIn.h"

namespace {

constexpr std::uint64_t REDRAW_EVERY_US = 100'000;
constexpr char CLEAR_TO_END[] = "\x1b[K";

std::string minutesAndSeconds(std::uint64_t seconds)
{
    const std::string tens = seconds % 60 < 10 ? "0" : "";
    return std::to_string(seconds / 60) + ":" + tens + std::to_string(seconds % 60);
}

} // namespace

std::string ProgressLine::text(std::uint32_t done, std::uint32_t total, std::uint64_t firstUs, std::uint32_t firstDone,
                               std::uint64_t nowUs)
{
    unsigned rate = 0;
    std::string left = "?:??";
    if (done > firstDone && nowUs > firstUs) {
        const double usPerByte = double(nowUs - firstUs) / double(done - firstDone);
        rate = unsigned(1e6 / usPerByte);
        left = minutesAndSeconds(std::uint64_t(usPerByte * double(total - done) / 1e6 + 0.5));
    }
    return fillIn(texts::CLI_PROGRESS, {{"done", std::to_string(done)},
                                        {"total", std::to_string(total)},
                                        {"rate", std::to_string(rate)},
                                        {"left", left}});
}

void ProgressLine::start(std::uint32_t totalBytes)
{
    running_ = true;
    measuring_ = false;
    total_ = totalBytes;
    lastDrawUs_ = 0;
}

void ProgressLine::update(std::uint32_t doneBytes)
{
    if (!running_ || !shown_)
        return;
    const std::uint64_t now = clock_.nowUs();
    if (!measuring_) {
        measuring_ = true;
        firstUs_ = now;
        firstDone_ = doneBytes;
    }
    if (drawn_ && now - lastDrawUs_ < REDRAW_EVERY_US && doneBytes < total_)
        return;
    lastDrawUs_ = now;
    drawn_ = true;
    err_ << '\r' << text(doneBytes, total_, firstUs_, firstDone_, now) << CLEAR_TO_END << std::flush;
}

void ProgressLine::finish()
{
    running_ = false;
    clear();
}

void ProgressLine::clear()
{
    if (!drawn_)
        return;
    drawn_ = false;
    err_ << '\r' << CLEAR_TO_END << std::flush;
}
