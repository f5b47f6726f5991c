// Paints of a buffer grid's cells while an operation runs: the window's
// turns that show progress, and the longest stretch without one.
#pragma once

#include <algorithm>
#include <chrono>

#include <wx/eventfilter.h>
#include <wx/grid.h>

// Seen through an event filter, since a read or a load replaces the grid it
// starts with.
class PaintWatch : public wxEventFilter {
public:
    ~PaintWatch() override { wxEvtHandler::RemoveFilter(this); }
    // With keepDirty, every paint of a grid asks for the next one at once, so
    // that the gaps between paints are the gaps between the window's turns.
    explicit PaintWatch(bool keepDirty = false) : keepDirty_(keepDirty) { wxEvtHandler::AddFilter(this); }
    void start(wxWindow* grid = nullptr)
    {
        paints_ = 0, last_ = std::chrono::steady_clock::now(), longest_ = {};
        if (grid && keepDirty_)
            grid->Refresh();
    }
    int paints() const { return paints_; }
    double longestGapMs()
    {
        note(std::chrono::steady_clock::now());
        return std::chrono::duration<double, std::milli>(longest_).count();
    }

    int FilterEvent(wxEvent& event) override
    {
        if (event.GetEventType() == wxEVT_PAINT) {
            auto* window = dynamic_cast<wxWindow*>(event.GetEventObject());
            auto* grid = window ? dynamic_cast<wxGrid*>(window->GetParent()) : nullptr;
            if (grid && grid->GetGridWindow() == window) {
                ++paints_;
                note(std::chrono::steady_clock::now());
                if (keepDirty_)
                    window->Refresh();
            }
        }
        return Event_Skip;
    }

private:
    void note(std::chrono::steady_clock::time_point now)
    {
        longest_ = std::max(longest_, now - last_);
        last_ = now;
    }

    bool keepDirty_ = false;
    int paints_ = 0;
    std::chrono::steady_clock::time_point last_;
    std::chrono::steady_clock::duration longest_{};
};
