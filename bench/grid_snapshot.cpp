// Writes a picture of a buffer grid as the screen shows it, to compare how the
// grid looks before and after a change to its drawing: bytes of every kind
// (letters, dots, accented characters), a few red cells, a block selected in
// both halves, a hexadecimal cell typed wider than its column, and empty cells
// after the last byte. Run under Xvfb: grid_snapshot out.png
#include <cstdio>

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/frame.h>
#include <wx/image.h>

#include "app/buffers/BufferBook.h"
#include "app/buffers/BufferGrid.h"

namespace {

class SnapshotApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

void settle()
{
    for (int i = 0; i < 5; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
        wxMilliSleep(20);
    }
}

} // namespace

wxIMPLEMENT_APP_NO_MAIN(SnapshotApp);

int main(int argc, char** argv)
{
    if (argc != 2 || !wxEntryStart(argc, argv))
        return 2;
    wxTheApp->CallOnInit();
    wxInitAllImageHandlers();
    auto* frame = new wxFrame(nullptr, wxID_ANY, "snapshot", wxPoint(0, 0), wxSize(705, 660));
    auto* book = new BufferBook(frame, wxID_ANY, wxDefaultPosition, wxSize(602, 576), 0, "notebook");
    frame->Show();
    settle();
    BufferGrid& grid = *book->createGrid(1024);
    for (std::size_t k = 0; k < 400; ++k)
        grid.setByte(k, std::uint8_t(k * 7 + k / 16));
    for (std::size_t k : {3u, 20u, 37u, 90u, 91u, 250u})
        grid.markRed(k);
    grid.SetCellValue(5, 3, "1FF");
    grid.SetCellValue(28, 7, "1FF"); // after the last byte: its neighbours are empty
    grid.SetCellValue(28, 20, "xyz");
    grid.SelectBlock(2, 4, 6, 9);
    grid.SelectBlock(2, 21, 6, 26, true);
    grid.SetGridCursor(2, 4);
    grid.Scroll(0, 0);
    settle();

    const wxRect area(grid.GetScreenPosition(), grid.GetSize());
    wxBitmap picture(area.GetSize());
    {
        wxScreenDC screen;
        wxMemoryDC memory(picture);
        memory.Blit(0, 0, area.width, area.height, &screen, area.x, area.y);
    }
    const bool saved = picture.ConvertToImage().SaveFile(argv[1], wxBITMAP_TYPE_PNG);
    frame->Destroy();
    settle();
    wxEntryCleanup();
    return saved ? 0 : 1;
}
