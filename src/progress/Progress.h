// What a long engine operation reports its progress to, so that it needs no
// window and tests can count its steps: the comparison of two buffers takes
// one (the window passes its gauge, ProgressWindow; the command line's diff one
// that shows nothing). The read and write procedures report through
// TargetWindow's functions of the same names instead, and the window's loading
// and saving drive its gauge themselves.
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
