// What the grid's hex-editor actions cost on a 1 MiB buffer in the real main
// window, each run through the same path as its shortcut and timed until the
// window has painted: undoing a fill of the whole buffer (beside the fill
// itself), finding a pattern that sits at the buffer's end (with and without
// the box the pattern is typed into), pasting 64 KiB of
// hexadecimal text; and what the undo history holds after ten fills of the
// whole buffer, beside what ten whole copies of the cells would take.
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include "BenchSupport.h"
#include "WindowBench.h"
#include "app/Identifiers.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/BufferGrid.h"
#include "app/buffers/GridActions.h"
#include "app/buffers/NumberField.h"

namespace {

constexpr std::size_t IMAGE_BYTES = 1024 * 1024;
constexpr std::size_t PASTE_BYTES = 64 * 1024;
constexpr int FILLS = 10;

struct Figures {
    Timing fill;
    Timing undoFill;
    Timing findWithBox;
    Timing find;
    Timing paste;
    double historyMb = 0;
    double residentMb = 0; // what the ten fills added to the process
};

void selectAllBytes(BufferGrid& grid) { grid.SelectBlock(0, 0, grid.GetNumberRows() - 1, BYTES_PER_ROW - 1); }

Figures measure()
{
    BenchWindow window;
    MainFrame* frame = window.frame;
    BufferBook& book = *frame->bufferBook;
    BufferGrid& grid = *book.createGrid(std::uint32_t(IMAGE_BYTES));
    for (std::size_t k = 0; k < IMAGE_BYTES; ++k)
        grid.setByte(k, std::uint8_t(k * 7 % 251)); // no runs: the hardest content to keep
    settle();
    GridActions& actions = book.gridActions();
    Figures figures;

    wxString pasted;
    for (std::size_t k = 0; k < PASTE_BYTES; ++k)
        pasted << wxString::Format("%02X ", unsigned(k * 13 % 256));
    if (wxTheClipboard->Open()) {
        wxTheClipboard->SetData(new wxTextDataObject(pasted));
        wxTheClipboard->Close();
    }
    grid.SetGridCursor(0, 0);
    figures.paste = timed([&] { actions.run(GridAction::Paste, grid); });
    actions.run(GridAction::Undo, grid);

    selectAllBytes(grid);
    frame->fillField->SetValue("5A");
    figures.fill = timed([&] { send(*frame, wxEVT_BUTTON, ID_FILL); });
    figures.undoFill = timed([&] { actions.run(GridAction::Undo, grid); });

    const std::uint8_t tail[] = {0xDE, 0xAD, 0xBE, 0xEF};
    for (std::size_t k = 0; k < 4; ++k)
        grid.setByte(IMAGE_BYTES - 4 + k, tail[k]);
    // The search itself is timed through "find next": Ctrl+F spends most of
    // its time building the box the pattern is typed into.
    grid.SetGridCursor(0, 0);
    window.hook.typed = "DE AD ?? EF";
    figures.findWithBox = timed([&] { actions.run(GridAction::Find, grid); });
    grid.SetGridCursor(0, 0);
    figures.find = timed([&] { actions.run(GridAction::FindNext, grid); });

    const double before = residentMb();
    selectAllBytes(grid);
    for (int i = 0; i < FILLS; ++i) {
        frame->fillField->SetValue(wxString::Format("%02X", i));
        send(*frame, wxEVT_BUTTON, ID_FILL);
    }
    settle();
    figures.residentMb = residentMb() - before;
    figures.historyMb = double(grid.historyBytes()) / (1024.0 * 1024.0);

    return figures;
}

} // namespace

wxIMPLEMENT_APP_NO_MAIN(PaintCountingApp);

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--case") == 0) {
        if (!startCaseProcess(argc, argv))
            return 2;
        const Figures f = measure();
        for (const Timing* t : {&f.fill, &f.undoFill, &f.findWithBox, &f.find, &f.paste})
            std::printf("%.1f %.1f ", t->handlerMs, t->paintedMs);
        std::printf("%.2f %.1f\n", f.historyMb, f.residentMb);
        wxEntryCleanup();
        return 0;
    }
    // In a process of its own, so that the resident memory the fills add belongs to them alone.
    std::istringstream output(childOutput(std::string(argv[0]) + " --case"));
    Figures f;
    for (Timing* t : {&f.fill, &f.undoFill, &f.findWithBox, &f.find, &f.paste})
        output >> t->handlerMs >> t->paintedMs;
    output >> f.historyMb >> f.residentMb;
    if (!output) {
        std::fprintf(stderr, "the case process gave no figures\n");
        return 1;
    }
    const struct {
        const char* name;
        const Timing& timing;
    } rows[] = {{"fill of every byte", f.fill},
                {"undo of that fill", f.undoFill},
                {"Ctrl+F DE AD ?? EF, box included", f.findWithBox},
                {"F3 to DE AD ?? EF at the end", f.find},
                {"paste of 64 KiB of hex text", f.paste}};
    std::printf("%-34s %12s %12s\n", "1 MiB buffer", "handler ms", "painted ms");
    for (const auto& row : rows)
        std::printf("%-34s %12.1f %12.1f\n", row.name, row.timing.handlerMs, row.timing.paintedMs);
    const double wholeCopiesMb = FILLS * 2.0 * double(IMAGE_BYTES) / (1024.0 * 1024.0); // a byte and a flag a cell
    std::printf("history after ten fills of every byte: %.2f MB (ten whole copies of the cells: %.1f MB); "
                "resident memory the fills added: %.1f MB\n",
                f.historyMb, wholeCopiesMb, f.residentMb);
    std::printf("undo_fill_1MiB_ms %.1f\nfind_1MiB_ms %.1f\npaste_64KiB_ms %.1f\nundo_history_1MiB_mb %.2f\n",
                f.undoFill.paintedMs, f.find.paintedMs, f.paste.paintedMs, f.historyMb);
    return 0;
}
