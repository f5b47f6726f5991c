// What the benchmarks that run operations against a simulated board share:
// a port opener that wires every port to one board, and the processor time
// the process has used.
#pragma once

#include <sys/resource.h>

#include <memory>
#include <string>

#include "serial/PortOpener.h"
#include "sim/SimulatedBoard.h"

class BoardOpener : public PortOpener {
public:
    BoardOpener(std::shared_ptr<SimulatedBoard> board, Clock& clock) : board_(std::move(board)), clock_(clock) {}
    PortOpenResult open(const std::string&) override { return {board_->openPort(clock_), "sim", {}, false}; }

private:
    std::shared_ptr<SimulatedBoard> board_;
    Clock& clock_;
};

inline double cpuSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}
