// The progress gauge of the main window: a gauge control laid exactly over
// status-bar field 2 while an operation runs, and gone when it ends. One per
// main window (MainFrame::progress()).
#pragma once

#include "progress/GaugeArithmetic.h"
#include "progress/Progress.h"

class wxGauge;
class wxStatusBar;
class OperationTurns;

class ProgressWindow : public Progress {
public:
    // The turns are the window's (MainFrame::turns()); without them the gauge
    // lets the window repaint only when it shows.
    explicit ProgressWindow(wxStatusBar& statusBar, OperationTurns* turns = nullptr)
        : statusBar_(statusBar), turns_(turns)
    {
    }

    // Lets the window repaint (paint and size events only, one turn of the
    // operation), then shows the gauge; nothing at all for 0 steps. A click or a
    // key made meanwhile stays queued until the operation returns. The pauses of
    // an operation give the window further turns of the same kind (OperationTurns).
    void progressStart(std::uint32_t total) override;
    void progressStep() override;
    void progressFinish() override;

    // For tests: the gauge shown now, or none.
    wxGauge* gauge() const { return gauge_; }
    int range() const { return arithmetic_.range(); }

private:
    void apply(GaugeArithmetic::Action action);
    void removeGauge();

    wxStatusBar& statusBar_;
    OperationTurns* turns_;
    GaugeArithmetic arithmetic_;
    std::uint32_t steps_ = 0;
    wxGauge* gauge_ = nullptr;
    int fieldX_ = 0, fieldY_ = 0, fieldWidth_ = 0, fieldHeight_ = 0;
};
