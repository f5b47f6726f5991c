// How close reading and writing the EEPROM come to what the line and the
// procedures' own pauses allow. A real main window, on the real clock, runs
// its read and write handlers against a simulated board (which answers with
// the wire time of 38400 baud, 10 bits a byte), inside an active event loop,
// so that the window's repaint turns during the operation cost what they cost
// in the program. The floor of each case is the same handler on the virtual
// clock, where time passes only through the pauses and the bytes' wire time.
// Also the processor time the process used meanwhile.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include <wx/app.h>
#include <wx/bmpbuttn.h>
#include <wx/combobox.h>
#include <wx/eventfilter.h>
#include <wx/evtloop.h>
#include <wx/grid.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/modalhook.h>

#include "BenchBoard.h"
#include "app/Identifiers.h"
#include "app/MainFrame.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/BufferGrid.h"
#include "app/buffers/NumberField.h"
#include "serial/RealClock.h"
#include "serial/SerialLink.h"
#include "serial/VirtualClock.h"
#include "sim/SimulatedBoard.h"

namespace {

class BenchApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

// The "Parametry" box of an MC9S12 connect is the only box expected; any box is answered OK.
class OkToEveryBox : public wxModalDialogHook {
public:
    int shown = 0;

protected:
    int Enter(wxDialog*) override
    {
        ++shown;
        return wxID_OK;
    }
    void Exit(wxDialog*) override {}
};


void raise(wxWindow* target, wxEventType type, int id, int selection = -1)
{
    wxCommandEvent event(type, id);
    event.SetEventObject(target);
    event.SetInt(selection);
    target->ProcessWindowEvent(event);
}

void choose(wxComboBox* combo, const char* text)
{
    const int index = combo->FindString(text, true);
    combo->SetSelection(index);
    raise(combo, wxEVT_COMBOBOX, combo->GetId(), index);
}


// A main window on `clock`, connected to a fresh board of the model at 16 MHz.
class Station {
public:
    Station(Clock& clock, const char* model)
    {
        std::string reason;
        board_ = SimulatedBoard::create(model, 16, reason);
        if (!board_) {
            std::fprintf(stderr, "%s\n", reason.c_str());
            std::exit(1);
        }
        opener_ = std::make_unique<BoardOpener>(board_, clock);
        frame_ = new MainFrame("bench", wxDefaultPosition, wxDefaultSize, AppServices{clock, *opener_});
        frame_->Show();
        wxTheApp->SetTopWindow(frame_);
        settle();
        choose(frame_->modelCombo, model);
        choose(frame_->crystalCombo, "16MHz");
        raise(frame_->connectButton, wxEVT_BUTTON, ID_CONNECT);
        if (frame_->link().connectionState() < 1) {
            std::fprintf(stderr, "connecting to %s failed\n", model);
            std::exit(1);
        }
    }
    ~Station()
    {
        frame_->Destroy();
        settle();
    }

    MainFrame& frame() { return *frame_; }
    SimulatedBoard& board() { return *board_; }

    void setCount(unsigned count) { frame_->countField->SetValue(wxString::Format("%u", count)); }
    // Bytes that never make a word of 0xFF 0xFF, so every word is programmed.
    void fillBuffer(unsigned count)
    {
        for (unsigned k = 0; k < count; ++k)
            frame_->bufferBook->currentBuffer->setByte(k, static_cast<std::uint8_t>(k * 7 + 1));
    }
    void read() { raise(frame_->readButton, wxEVT_BUTTON, ID_READ_EEPROM); }
    void write() { raise(frame_->writeButton, wxEVT_BUTTON, ID_WRITE_EEPROM); }

private:
    static void settle()
    {
        for (int i = 0; i < 3; ++i) {
            wxTheApp->ProcessPendingEvents();
            wxTheApp->Yield(true);
        }
    }

    std::shared_ptr<SimulatedBoard> board_;
    std::unique_ptr<BoardOpener> opener_;
    MainFrame* frame_ = nullptr;
};

struct Figures {
    double ms = 0;
    double floorMs = 0;
    double cpuPercent = 0;
    int paints = 0;          // of the grid, during the real run
    double longestUnpaintedMs = 0; // the longest stretch without one
};

// Paints of a buffer grid's cells while an operation runs: the window's
// turns that show progress. Seen through an event filter, since the read
// replaces the grid it starts with.
class PaintWatch : public wxEventFilter {
public:
    PaintWatch() { wxEvtHandler::AddFilter(this); }
    ~PaintWatch() override { wxEvtHandler::RemoveFilter(this); }
    void start() { paints_ = 0, last_ = std::chrono::steady_clock::now(), longest_ = {}; }
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

    int paints_ = 0;
    std::chrono::steady_clock::time_point last_;
    std::chrono::steady_clock::duration longest_{};
};

// One operation on a fresh station: on the virtual clock for the floor, then
// on the real clock, timed and with the processor time it took.
Figures measure(const char* model, const std::function<void(Station&)>& prepare,
                const std::function<void(Station&)>& operation)
{
    Figures figures;
    {
        VirtualClock clock;
        Station station(clock, model);
        prepare(station);
        const std::uint64_t begin = clock.nowUs();
        operation(station);
        figures.floorMs = double(clock.nowUs() - begin) / 1000.0;
    }
    {
        RealClock clock;
        Station station(clock, model);
        prepare(station);
        PaintWatch paints;
        using namespace std::chrono;
        const double cpuBefore = cpuSeconds();
        const auto begin = steady_clock::now();
        paints.start();
        operation(station);
        const double wall = duration<double>(steady_clock::now() - begin).count();
        figures.ms = wall * 1000.0;
        figures.cpuPercent = 100.0 * (cpuSeconds() - cpuBefore) / wall;
        figures.paints = paints.paints();
        figures.longestUnpaintedMs = paints.longestGapMs();
    }
    return figures;
}

} // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv)
{
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "wx could not start (no display?)\n");
        return 2;
    }
    wxTheApp->CallOnInit();
    delete wxLog::SetActiveTarget(new wxLogStderr);
    OkToEveryBox boxes;
    boxes.Register();
    int result = 0;
    {
        // The handlers run inside the program's main loop; the repaint turns
        // they take during pauses need a loop that is active.
        wxGUIEventLoop loop;
        wxEventLoopActivator active(&loop);

        const Figures read = measure(
            "HC912Dx128x", [](Station& s) { s.setCount(2048); }, [](Station& s) { s.read(); });
        const auto buffer256 = [](Station& s) {
            s.setCount(256);
            s.fillBuffer(256);
        };
        const auto write = [](Station& s) { s.write(); };
        const Figures hc12 = measure("HC912Dx128x", buffer256, write);
        const Figures mc9s12 = measure("MC9S12DT128", buffer256, write);

        std::printf("%-28s %10s %10s %8s %8s %8s %12s\n", "", "real ms", "floor ms", "over %", "cpu %", "paints",
                    "longest gap");
        const auto row = [](const char* name, const Figures& f) {
            std::printf("%-28s %10.1f %10.1f %8.1f %8.1f %8d %9.1f ms\n", name, f.ms, f.floorMs,
                        100.0 * (f.ms - f.floorMs) / f.floorMs, f.cpuPercent, f.paints, f.longestUnpaintedMs);
        };
        row("read 2048 B, HC912Dx128x", read);
        row("write 256 B, HC912Dx128x", hc12);
        row("write 256 B, MC9S12DT128", mc9s12);
        std::printf("read_2KiB_ms %.1f\n", read.ms);
        std::printf("read_2KiB_floor_ms %.1f\n", read.floorMs);
        std::printf("read_cpu_percent %.1f\n", read.cpuPercent);
        std::printf("read_longest_unpainted_ms %.1f\n", read.longestUnpaintedMs);
        std::printf("write_256B_hc12_ms %.1f\n", hc12.ms);
        std::printf("write_256B_hc12_floor_ms %.1f\n", hc12.floorMs);
        std::printf("write_256B_hc12_cpu_percent %.1f\n", hc12.cpuPercent);
        std::printf("write_256B_hc12_longest_unpainted_ms %.1f\n", hc12.longestUnpaintedMs);
        std::printf("write_256B_mc9s12_ms %.1f\n", mc9s12.ms);
        std::printf("write_256B_mc9s12_floor_ms %.1f\n", mc9s12.floorMs);
        std::printf("write_256B_mc9s12_cpu_percent %.1f\n", mc9s12.cpuPercent);
        if (boxes.shown != 2) // the two MC9S12 connects' "Parametry"
            result = 1;
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
