// What a long operation reports its progress to. The window's gauge implements
// it; engine procedures (reading, writing, loading, saving, comparing) take a
// reference to it, so they need no window and tests can count the steps.
#pragma once

#include <cstdint>

class Progress {
public:
    virtual ~Progress() = default;
    // A fresh gauge for an operation of `total` steps; 0 shows nothing.
    virtual void progressStart(std::uint32_t total) = 0;
    // One step done; the step that reaches the total removes the gauge.
    virtual void progressStep() = 0;
    // The operation is over: the gauge goes, wherever it stood.
    virtual void progressFinish() = 0;
};
