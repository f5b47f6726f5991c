// What the benchmarks of the main window's commands share: an application
// that counts the grids' paints, no ports, every box answered at once, and
// the time a command takes until the window has painted what it left.
#pragma once

#include <chrono>

#include <wx/app.h>
#include <wx/grid.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/textdlg.h>

#include "app/MainFrame.h"
#include "app/UiText.h"
#include "serial/PortOpener.h"
#include "serial/RealClock.h"

class PaintCountingApp : public wxApp {
public:
    bool OnInit() override { return true; }
    // Counts the paints of the grids' parts: cells, labels and corner, four to a full repaint.
    int FilterEvent(wxEvent& event) override
    {
        if (event.GetEventType() == wxEVT_PAINT && event.GetEventObject() &&
            wxDynamicCast(static_cast<wxWindow*>(event.GetEventObject())->GetParent(), wxGrid))
            ++gridPaints;
        return -1;
    }
    int gridPaints = 0;
};

class NoPorts : public PortOpener {
public:
    PortOpenResult open(const std::string& portName) override { return {nullptr, portName, "bench", false}; }
};

// Every box is answered at once: Yes to questions, OK otherwise; a box that
// asks for a text gets `typed`.
class AnswerEveryBox : public wxModalDialogHook {
public:
    wxString typed;

protected:
    int Enter(wxDialog* dialog) override
    {
        if (auto* entry = dynamic_cast<wxTextEntryDialog*>(dialog))
            entry->SetValue(typed);
        auto* box = dynamic_cast<wxMessageDialog*>(dialog);
        return box && (box->GetMessageDialogStyle() & wxYES_NO) ? wxID_YES : wxID_OK;
    }
    void Exit(wxDialog*) override {}
};

inline void settle()
{
    for (int i = 0; i < 3; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
    }
}

// The main window as the program builds it, on the real clock (long
// commands take the window's turns by it) with no ports, every box answered
// while it lives.
class BenchWindow {
public:
    BenchWindow()
    {
        hook.Register();
        frame = new MainFrame(uiText(texts::FRAME_TITLE), wxDefaultPosition, wxDefaultSize,
                              AppServices{clock_, ports_});
        frame->Show();
        wxTheApp->SetTopWindow(frame);
        settle();
    }
    ~BenchWindow()
    {
        frame->Destroy();
        settle();
        hook.Unregister();
    }

    AnswerEveryBox hook;
    MainFrame* frame = nullptr;

private:
    RealClock clock_;
    NoPorts ports_;
};

// One command: the time its handler takes, the time until the window has
// painted what it left behind, and how often a grid's cells were painted then.
struct Timing {
    double handlerMs = 0;
    double paintedMs = 0;
    int gridPaints = 0;
};

// A load leaves a new grid behind, which GTK may paint only at its next frame
// after the window has settled: the load has painted once that grid has.
enum class Leaves { SettledWindow, PaintedGrid };

template <typename Operation> Timing timed(Operation operation, Leaves leaves = Leaves::SettledWindow)
{
    auto& app = static_cast<PaintCountingApp&>(*wxTheApp);
    app.gridPaints = 0;
    const auto start = std::chrono::steady_clock::now();
    operation();
    const auto handled = std::chrono::steady_clock::now();
    settle();
    while (leaves == Leaves::PaintedGrid && app.gridPaints == 0 &&
           std::chrono::steady_clock::now() - start < std::chrono::seconds(2))
        wxTheApp->Yield(true);
    const auto painted = std::chrono::steady_clock::now();
    return {std::chrono::duration<double, std::milli>(handled - start).count(),
            std::chrono::duration<double, std::milli>(painted - start).count(), app.gridPaints};
}

inline void send(MainFrame& frame, wxEventType type, int id)
{
    wxCommandEvent event(type, id);
    event.SetEventObject(&frame);
    frame.ProcessWindowEvent(event);
}
