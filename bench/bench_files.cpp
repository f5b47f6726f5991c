// What loading, saving, comparing and filling cost through the main window's
// own handlers, for a 64 KiB and a 1 MiB image (and S-records and Intel HEX
// for the 64 KiB one, the whole address space): the real window (on a virtual
// clock, with no ports), the gauge shown and stepped, files in a temporary
// folder, questions answered Yes. Each size runs in a process of its own, so
// that the resident memory one loaded buffer adds belongs to it alone.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include <unistd.h>

#include <wx/app.h>
#include <wx/combobox.h>
#include <wx/evtloop.h>

#include "BenchSupport.h"
#include "PaintWatch.h"
#include "WindowBench.h"
#include "app/Identifiers.h"
#include "app/MainFrame.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/BufferGrid.h"
#include "app/buffers/NumberField.h"
#include "app/FileChooser.h"

namespace {

class FixedChooser : public FileChooser {
public:
    wxString chooseFileToOpen(wxWindow*) override { return path; }
    SaveChoice chooseFileToSave() override { return {path}; } // the name chooses the format
    wxString path;
};

enum Command { LOAD, SAVE, COMPARE, FILL, SAVE_SREC, LOAD_SREC, SAVE_IHEX, LOAD_IHEX, COMMANDS };
const char* const COMMAND_NAMES[COMMANDS] = {"load",      "save",      "compare",   "fill",
                                             "save_srec", "load_srec", "save_ihex", "load_ihex"};
// The record files hold the 16-bit address space: measured for the 64 KiB image only.
constexpr std::size_t RECORD_IMAGE_BYTES = 0x10000;
bool measured(Command command, std::size_t bytes) { return command < SAVE_SREC || bytes <= RECORD_IMAGE_BYTES; }

struct Figures {
    Timing command[COMMANDS];
    double mb = 0;
};

Figures measure(std::size_t bytes)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("rovidada-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string image = (folder / "image.bin").string();
    {
        std::vector<char> data(bytes);
        for (std::size_t k = 0; k < bytes; ++k)
            data[k] = char(k * 7 % 251);
        std::ofstream(image, std::ios::binary).write(data.data(), std::streamsize(bytes));
    }
    BenchWindow window;
    MainFrame* frame = window.frame;
    FixedChooser chooser;
    ScopedFileChooser installed(chooser);
    BufferBook& book = *frame->bufferBook;

    Figures figures;
    chooser.path = wxString(image);
    const double before = residentMb();
    // Into the 512-byte Buf0: two Yes.
    figures.command[LOAD] = timed([&] { send(*frame, wxEVT_MENU, ID_LOAD_FILE); }, Leaves::PaintedGrid);
    figures.mb = residentMb() - before;

    chooser.path = wxString((folder / "saved.bin").string());
    figures.command[SAVE] = timed([&] { send(*frame, wxEVT_MENU, ID_SAVE_FILE); });

    // The whole address space from 0000 as S-records and as Intel HEX (the name
    // chooses the format), each loaded back into the same buffer.
    if (bytes <= RECORD_IMAGE_BYTES) {
        const struct {
            Command save;
            Command load;
            const char* name;
        } records[] = {{SAVE_SREC, LOAD_SREC, "image.s19"}, {SAVE_IHEX, LOAD_IHEX, "image.hex"}};
        for (const auto& r : records) {
            chooser.path = wxString((folder / r.name).string());
            figures.command[r.save] = timed([&] { send(*frame, wxEVT_MENU, ID_SAVE_FILE); });
            figures.command[r.load] = timed([&] { send(*frame, wxEVT_MENU, ID_LOAD_FILE); }, Leaves::PaintedGrid);
        }
    }

    // The second buffer: the same image with one byte in 256 changed.
    send(*frame, wxEVT_MENU, ID_NEW_BUFFER);
    chooser.path = wxString(image);
    send(*frame, wxEVT_MENU, ID_LOAD_FILE);
    for (std::size_t k = 0; k < bytes; k += 256)
        book.currentBuffer->setByte(k, std::uint8_t(~book.currentBuffer->getByte(k)));
    book.SetSelection(0);
    settle();
    figures.command[COMPARE] = timed([&] {
        frame->compareCombo->SetSelection(1);
        wxCommandEvent event(wxEVT_COMBOBOX, ID_COMPARE_COMBO);
        event.SetEventObject(frame->compareCombo);
        event.SetInt(1);
        frame->compareCombo->ProcessWindowEvent(event);
    });

    BufferGrid& grid = *book.currentBuffer; // the result page
    grid.SelectBlock(0, 0, grid.GetNumberRows() - 1, 15);
    frame->fillField->SetValue("5A");
    figures.command[FILL] = timed([&] { send(*frame, wxEVT_BUTTON, ID_FILL); });

    std::filesystem::remove_all(folder);
    return figures;
}

// The longest stretches without a turn of the window (with the grid asking
// for a paint all the time): load and compare of 1 MiB, a load of the
// largest buffer (9,999,999 bytes) and closing its page.
struct Gaps {
    double load1MiB = 0, compare1MiB = 0, load10MB = 0, closeBig = 0;
};

Gaps measureGaps()
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("rovidada-bench-gaps-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto writeImage = [&](const char* name, std::size_t bytes) {
        std::vector<char> data(bytes);
        for (std::size_t k = 0; k < bytes; ++k)
            data[k] = char(k * 7 % 251);
        const std::string path = (folder / name).string();
        std::ofstream(path, std::ios::binary).write(data.data(), std::streamsize(bytes));
        return wxString(path);
    };
    const wxString small = writeImage("1MiB.bin", 1024 * 1024);
    const wxString big = writeImage("10MB.bin", 9'999'999);

    // The commands run inside the program's main loop, in which their turns paint.
    wxGUIEventLoop loop;
    wxEventLoopActivator active(&loop);
    BenchWindow window;
    MainFrame* frame = window.frame;
    FixedChooser chooser;
    ScopedFileChooser installed(chooser);
    BufferBook& book = *frame->bufferBook;
    PaintWatch paints(true);
    const auto watched = [&](auto operation) {
        settle();
        paints.start(book.currentBuffer->GetGridWindow());
        operation();
        timed([] {}, Leaves::PaintedGrid);
        return paints.longestGapMs();
    };

    Gaps gaps;
    chooser.path = small;
    gaps.load1MiB = watched([&] { send(*frame, wxEVT_MENU, ID_LOAD_FILE); });
    send(*frame, wxEVT_MENU, ID_NEW_BUFFER);
    send(*frame, wxEVT_MENU, ID_LOAD_FILE);
    for (std::size_t k = 0; k < 1024 * 1024; k += 256)
        book.currentBuffer->setByte(k, std::uint8_t(~book.currentBuffer->getByte(k)));
    book.SetSelection(0);
    gaps.compare1MiB = watched([&] {
        frame->compareCombo->SetSelection(1);
        wxCommandEvent event(wxEVT_COMBOBOX, ID_COMPARE_COMBO);
        event.SetEventObject(frame->compareCombo);
        event.SetInt(1);
        frame->compareCombo->ProcessWindowEvent(event);
    });
    send(*frame, wxEVT_MENU, ID_NEW_BUFFER);
    chooser.path = big;
    gaps.load10MB = watched([&] { send(*frame, wxEVT_MENU, ID_LOAD_FILE); });
    book.currentBuffer->markSaved(); // closed without a question
    gaps.closeBig = watched([&] { send(*frame, wxEVT_MENU, ID_CLOSE_BUFFER); });
    std::filesystem::remove_all(folder);
    return gaps;
}

// Runs one size in a child process; its output is handler ms, painted ms and
// grid paints for each operation, then the megabytes.
Figures runChild(const char* self, std::size_t bytes)
{
    const std::string command = std::string(self) + " --case " + std::to_string(bytes);
    std::istringstream output(childOutput(command));
    Figures f;
    for (Timing& t : f.command)
        output >> t.handlerMs >> t.paintedMs >> t.gridPaints;
    output >> f.mb;
    if (!output)
        f = {};
    return f;
}

} // namespace

wxIMPLEMENT_APP_NO_MAIN(PaintCountingApp);

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--gaps") == 0) {
        if (!startCaseProcess(argc, argv))
            return 2;
        const Gaps g = measureGaps();
        std::printf("%.1f %.1f %.1f %.1f\n", g.load1MiB, g.compare1MiB, g.load10MB, g.closeBig);
        wxEntryCleanup();
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--case") == 0) {
        if (!startCaseProcess(argc, argv))
            return 2;
        Figures f = measure(std::strtoul(argv[2], nullptr, 10));
        for (int i = 0; i < COMMANDS; ++i) {
            const Timing& t = f.command[i];
            std::printf("%.1f %.1f %d ", t.handlerMs, t.paintedMs, t.gridPaints);
        }
        std::printf("%.1f\n", f.mb);
        wxEntryCleanup();
        return 0;
    }

    struct Size {
        const char* name;
        std::size_t bytes;
    };
    const Size sizes[] = {{"64KiB", 64 * 1024}, {"1MiB", 1024 * 1024}};
    std::printf("%-8s %-9s %12s %12s %12s\n", "image", "command", "handler ms", "painted ms", "grid paints");
    std::string lines;
    char line[160];
    for (const Size& size : sizes) {
        Figures f = runChild(argv[0], size.bytes);
        for (int i = 0; i < COMMANDS; ++i) {
            if (!measured(Command(i), size.bytes))
                continue;
            const Timing& t = f.command[i];
            std::printf("%-8s %-9s %12.1f %12.1f %12d\n", size.name, COMMAND_NAMES[i], t.handlerMs, t.paintedMs,
                        t.gridPaints);
            std::snprintf(line, sizeof line, "%s_%s_ms %.1f\n%s_%s_handler_ms %.1f\n", COMMAND_NAMES[i], size.name,
                          t.paintedMs, COMMAND_NAMES[i], size.name, t.handlerMs);
            lines += line;
        }
        if (size.bytes == 1024 * 1024) {
            std::snprintf(line, sizeof line, "buffer_1MiB_mb %.1f\n", f.mb);
            lines += line;
        }
    }
    std::fputs(lines.c_str(), stdout);
    Gaps g;
    std::istringstream(childOutput(std::string(argv[0]) + " --gaps")) >> g.load1MiB >> g.compare1MiB >> g.load10MB >>
        g.closeBig;
    std::printf("longest_unpainted_load_1MiB_ms %.1f\n", g.load1MiB);
    std::printf("longest_unpainted_compare_1MiB_ms %.1f\n", g.compare1MiB);
    std::printf("longest_unpainted_load_10MB_ms %.1f\n", g.load10MB);
    std::printf("longest_unpainted_close_big_page_ms %.1f\n", g.closeBig);
    return 0;
}
