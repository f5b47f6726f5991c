// How close reading and writing the EEPROM come to what the line and the
// procedures' own pauses allow. A real main window, on the real clock, runs
// its read and write handlers against a simulated board (which answers with
// the wire time of 38400 baud, 10 bits a byte), inside an active event loop,
// so that the window's repaint turns during the operation cost what they cost
// in the program. The floor of each case is the same handler on the virtual
// clock, where time passes only through the pauses and the bytes' wire time.
// Also the processor time the process used meanwhile, and for connect, read
// and write on each family the longest stretch without a repaint of the
// grid, with the grid asking for one all the time (as a window that was
// covered does): how long the window can go without a turn.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/bmpbuttn.h>
#include <wx/combobox.h>
#include <wx/eventfilter.h>
#include <wx/evtloop.h>
#include <wx/grid.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/modalhook.h>
#include <wx/utils.h>

#include "BenchBoard.h"
#include "PaintWatch.h"
#include "app/Identifiers.h"
#include "app/MainFrame.h"
#include "app/OperationTurns.h"
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
    Station(Clock& clock, const char* model, bool connected = true)
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
        if (connected)
            connect();
    }
    void connect()
    {
        raise(frame_->connectButton, wxEVT_BUTTON, ID_CONNECT);
        if (frame_->link().connectionState() < 1) {
            std::fprintf(stderr, "connecting failed\n");
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

// Lets the window settle (paint what it shows) for a while.
void settleFor(std::chrono::milliseconds time)
{
    const auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) {
        Station::settle();
        wxMilliSleep(5);
    }
}

struct Figures {
    double ms = 0;
    double floorMs = 0;
    double cpuPercent = 0;
    int paints = 0;          // of the grid, during the real run
    double longestUnpaintedMs = 0; // the longest stretch without one
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

// The longest stretch without a turn of the window, in ms, while the
// operation runs on the real clock on a fresh station (connected unless the
// operation is the connect).
double longestUnpainted(const char* model, bool connected, const std::function<void(Station&)>& prepare,
                        const std::function<void(Station&)>& operation)
{
    RealClock clock;
    Station station(clock, model, connected);
    prepare(station);
    PaintWatch paints(true);
    settleFor(std::chrono::milliseconds(100));
    paints.start(station.frame().bufferBook->currentBuffer->GetGridWindow());
    int turns = 0;
    double longestBetween = 0;
    auto last = std::chrono::steady_clock::now();
    std::vector<double> takes;
    station.frame().turns().watcher = [&](std::uint64_t) {
        const auto now = std::chrono::steady_clock::now();
        takes.push_back(std::chrono::duration<double, std::milli>(now - last).count());
        longestBetween = std::max(longestBetween, std::chrono::duration<double, std::milli>(now - last).count());
        ++turns;
        last = now;
    };
    std::vector<std::pair<double, double>> offers; // start, duration of each offer, ms from the operation's start
    const auto t0 = std::chrono::steady_clock::now();
    if (std::getenv("BENCH_TURNS"))
        clock.setIdleHook([&] {
            const auto a = std::chrono::steady_clock::now();
            station.frame().turns().offer();
            const auto b = std::chrono::steady_clock::now();
            offers.emplace_back(std::chrono::duration<double, std::milli>(a - t0).count(),
                                std::chrono::duration<double, std::milli>(b - a).count());
        });
    operation(station);
    station.frame().turns().watcher = nullptr;
    if (std::getenv("BENCH_TURNS")) {
        double longestOfferGap = 0, at = 0, longestTurn = 0, longestTurnAt = 0;
        for (std::size_t i = 1; i < offers.size(); ++i) {
            const double gap = offers[i].first - offers[i - 1].first - offers[i - 1].second;
            if (gap > longestOfferGap)
                longestOfferGap = gap, at = offers[i].first;
            if (offers[i].second > longestTurn)
                longestTurn = offers[i].second, longestTurnAt = offers[i].first;
        }
        for (std::size_t i = 0; i < takes.size(); ++i)
            if (takes[i] > 70)
                std::fprintf(stderr, "  turn %zu came %.1f ms after the one before\n", i, takes[i]);
        for (const auto& o : offers)
            if (o.second > 20)
                std::fprintf(stderr, "  offer at %.1f took %.1f\n", o.first, o.second);
        std::fprintf(stderr, "offers %zu, longest without an offer %.1f ms (at %.1f), longest turn %.1f ms (at %.1f)\n",
                     offers.size(), longestOfferGap, at, longestTurn, longestTurnAt);
    }
    if (std::getenv("BENCH_TURNS"))
        std::fprintf(stderr, "turns %d paints %d longest between turns %.1f\n", turns, paints.paints(), longestBetween);
    return paints.longestGapMs();
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

        const auto buffer256 = [](Station& s) {
            s.setCount(256);
            s.fillBuffer(256);
        };
        const auto write = [](Station& s) { s.write(); };
        // "--gaps": only the longest stretches without a turn.
        const bool gapsOnly = argc > 1 && std::string(argv[1]) == "--gaps";
        if (!gapsOnly) {
            const Figures read = measure(
                "HC912Dx128x", [](Station& s) { s.setCount(2048); }, [](Station& s) { s.read(); });
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
        }
        // The longest stretches without a turn.
        const auto nothing = [](Station&) {};
        const struct {
            const char* model;
            const char* family;
        } families[] = {{"HC912Dx128x", "hc12"}, {"MC9S12DT128", "mc9s12"}};
        for (const auto& f : families) {
            const double connect = longestUnpainted(f.model, false, nothing, [](Station& s) { s.connect(); });
            const double readGap =
                longestUnpainted(f.model, true, [](Station& s) { s.setCount(2048); }, [](Station& s) { s.read(); });
            const double writeGap = longestUnpainted(f.model, true, buffer256, write);
            std::printf("longest_unpainted_connect_%s_ms %.1f\n", f.family, connect);
            std::printf("longest_unpainted_read_%s_ms %.1f\n", f.family, readGap);
            std::printf("longest_unpainted_write_%s_ms %.1f\n", f.family, writeGap);
        }
        if (boxes.shown != (gapsOnly ? 3 : 5)) // the MC9S12 connects' "Parametry"
            result = 1;
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
