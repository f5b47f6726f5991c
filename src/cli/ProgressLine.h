// The progress of a read or a write on one line of standard error, redrawn in
// place: bytes done, the rate, and the time left. Every word of an operation
// costs the same on a healthy line (its pauses are fixed), so the time left is
// the words left times what the words so far took each, measured from the
// first word done (the set-up before it is not part of the rate). Drawn only
// while standard error is a terminal, and at most ten times a second.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "serial/Clock.h"

class ProgressLine {
public:
    ProgressLine(std::ostream& err, bool shown, Clock& clock) : err_(err), shown_(shown), clock_(clock) {}

    void start(std::uint32_t totalBytes);
    // The bytes done so far, after each word.
    void update(std::uint32_t doneBytes);
    // Clears the line, for a message; the next update draws it again.
    void clear();
    // Clears the line; nothing more is drawn until the next start.
    void finish();

    // The line for the figures, as drawn (tests).
    static std::string text(std::uint32_t done, std::uint32_t total, std::uint64_t firstUs, std::uint32_t firstDone,
                            std::uint64_t nowUs);

private:
    std::ostream& err_;
    bool shown_;
    Clock& clock_;
    bool running_ = false;
    bool drawn_ = false;
    std::uint32_t total_ = 0;
    std::uint32_t firstDone_ = 0;
    std::uint64_t firstUs_ = 0;
    std::uint64_t lastDrawUs_ = 0;
    bool measuring_ = false;
};
