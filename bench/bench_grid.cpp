// What a buffer grid costs: building it and writing every byte with setByte,
// for a 64 KiB and a 1 MiB image, beside a plain wxGrid whose default string
// table is filled cell by cell (hexadecimal and character cells), as a grid
// without its own table would be. Each case runs in a process of its own so
// that the resident-memory difference belongs to that case alone.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/grid.h>

#include "BenchSupport.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/BufferGrid.h"
#include "store/CellRules.h"

namespace {

class BenchApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

struct Figures {
    double ms = 0;
    double mb = 0;
};

Figures measure(const char* kind, std::size_t bytes)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(705, 660));
    // The notebook (with its first, empty page) exists before the clock starts:
    // only createGrid and the writes are measured.
    BufferBook* book = nullptr;
    if (std::strcmp(kind, "grid") == 0)
        book = new BufferBook(frame, wxID_ANY, wxDefaultPosition, wxSize(602, 576), 0, "notebook");
    frame->Show();
    wxTheApp->Yield(true);
    const double before = residentMb();
    const auto start = std::chrono::steady_clock::now();
    if (book) {
        BufferGrid* grid = book->createGrid(std::uint32_t(bytes));
        for (std::size_t k = 0; k < bytes; ++k)
            grid->setByte(k, std::uint8_t(k * 7));
    } else {
        auto* grid = new wxGrid(frame, wxID_ANY, wxPoint(0, 0), wxSize(602, 576));
        grid->CreateGrid(int(bytes / 16), 33);
        grid->BeginBatch();
        for (std::size_t k = 0; k < bytes; ++k) {
            const std::uint8_t v = std::uint8_t(k * 7);
            const int row = int(k / 16), col = int(k % 16);
            grid->SetCellValue(row, col, wxString(byteText(v)));
            grid->SetCellValue(row, col + 17, wxString(1, byteGlyph(v)));
        }
        grid->EndBatch();
    }
    const auto end = std::chrono::steady_clock::now();
    Figures figures;
    figures.ms = std::chrono::duration<double, std::milli>(end - start).count();
    figures.mb = residentMb() - before;
    frame->Destroy();
    return figures;
}

// Runs one case in a child process; its output is "ms mb".
Figures runChild(const char* self, const char* kind, std::size_t bytes)
{
    const std::string command = std::string(self) + " --case " + kind + " " + std::to_string(bytes);
    Figures figures;
    if (std::sscanf(childOutput(command).c_str(), "%lf %lf", &figures.ms, &figures.mb) != 2)
        figures = {};
    return figures;
}

} // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--case") == 0) {
        if (!startCaseProcess(argc, argv))
            return 2;
        const Figures figures = measure(argv[2], std::strtoul(argv[3], nullptr, 10));
        std::printf("%.1f %.1f\n", figures.ms, figures.mb);
        wxEntryCleanup();
        return 0;
    }

    struct Size {
        const char* name;
        std::size_t bytes;
    };
    const Size sizes[] = {{"64KiB", 64 * 1024}, {"1MiB", 1024 * 1024}};
    std::printf("%-8s %-34s %10s %10s\n", "image", "grid", "ms", "MB");
    std::string lines;
    for (const Size& size : sizes) {
        const Figures ours = runChild(argv[0], "grid", size.bytes);
        const Figures plain = runChild(argv[0], "stringgrid", size.bytes);
        std::printf("%-8s %-34s %10.1f %10.1f\n", size.name, "BufferGrid (table over byte store)", ours.ms,
                    ours.mb);
        std::printf("%-8s %-34s %10.1f %10.1f\n", size.name, "wxGrid with its string table", plain.ms, plain.mb);
        char buffer[512];
        std::snprintf(buffer, sizeof buffer,
                      "grid_fill_%s_ms %.1f\ngrid_fill_%s_mb %.1f\nstringgrid_fill_%s_ms %.1f\n"
                      "stringgrid_fill_%s_mb %.1f\n",
                      size.name, ours.ms, size.name, ours.mb, size.name, plain.ms, size.name, plain.mb);
        lines += buffer;
    }
    std::fputs(lines.c_str(), stdout);
    return 0;
}
