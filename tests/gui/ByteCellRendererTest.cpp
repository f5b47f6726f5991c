// The buffer grid's own cell renderer must leave every pixel where the
// toolkit's string renderer puts it: each case draws one cell with both into
// bitmaps and compares them. Selected cells are compared in a grid that has
// the focus: without it the string renderer greys a selection, which the
// grid's renderer does not (HexEditTest).
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/utils.h>

#include "GuiHarness.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/BufferGrid.h"
#include "app/buffers/ByteCellRenderer.h"

namespace {

wxImage drawnCell(wxGridCellRenderer& renderer, BufferGrid& grid, int row, int col, bool selected)
{
    const wxRect cell(4, 4, grid.GetColSize(col), grid.GetRowSize(row));
    wxBitmap bitmap(cell.width + 8, cell.height + 8); // room to see anything drawn past the cell
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        wxGridCellAttrPtr attr = grid.GetOrCreateCellAttrPtr(row, col); // falls back to the grid's defaults
        renderer.Draw(grid, *attr, dc, cell, row, col, selected);
    }
    return bitmap.ConvertToImage();
}

} // namespace

TEST(ByteCellRendererTest, GridCellsUseIt)
{
    BufferGrid& grid = *TestApp::frame().bufferBook->createGrid(64);
    for (int col : {0, 15, 17, 32}) {
        wxGridCellRendererPtr renderer(grid.GetCellRenderer(0, col));
        EXPECT_NE(dynamic_cast<ByteCellRenderer*>(renderer.get()), nullptr) << col;
    }
}

TEST(ByteCellRendererTest, DrawsEveryCellLikeTheStringRenderer)
{
    BufferGrid& grid = *TestApp::frame().bufferBook->createGrid(64);
    grid.SetFocus();
    for (int i = 0; i < 100 && !grid.HasFocus(); ++i) {
        processPendingEvents();
        wxMilliSleep(5);
    }
    ASSERT_TRUE(grid.HasFocus());
    grid.setByte(0, 0x4A);  // J and a hexadecimal pair
    grid.setByte(1, 'y');   // a descender, clipped like the string renderer clips it
    grid.setByte(2, 0xB3);  // an accented character
    grid.setByte(3, 0x1F);  // a dot
    grid.markRed(1);
    grid.SetCellValue(1, 3, "1FF"); // wider than its cell
    grid.SetCellValue(1, 20, "xyz");
    struct Case {
        int row, col;
        bool selected;
    };
    const Case cases[] = {{0, 0, false}, {0, 1, false}, {0, 1, true}, {0, 17, false}, {0, 18, false},
                          {0, 18, true}, {0, 19, false}, {0, 20, false}, {0, 16, false}, {1, 3, false},
                          {1, 20, false}, {2, 5, false}, {2, 22, true}};
    ByteCellRenderer ours;
    wxGridCellStringRenderer theirs;
    for (const Case& c : cases) {
        const wxImage expected = drawnCell(theirs, grid, c.row, c.col, c.selected);
        EXPECT_TRUE(samePixels(drawnCell(ours, grid, c.row, c.col, c.selected), expected))
            << c.row << "," << c.col << (c.selected ? " selected" : "");
    }
    TestApp::frame().bufferBook->createGrid(512);
}

// On the screen the cells come from pictures kept beside the window's own
// surface; they must show the very pixels the string renderer puts there:
// plain, red, selected and odd cells, in both halves of the grid.
TEST(ByteCellRendererTest, TheGridOnScreenLooksAsTheStringRendererDrawsIt)
{
    MainFrame& frame = TestApp::frame();
    BufferGrid& grid = *frame.bufferBook->createGrid(512);
    for (std::size_t k = 0; k < 512; ++k)
        grid.setByte(k, std::uint8_t(k * 7 + 3));
    grid.markRed(5);
    grid.markRed(40);
    grid.SetCellValue(2, 3, "1FF");
    grid.SetCellValue(3, 20, "xyz");
    grid.SelectBlock(4, 2, 6, 20);
    grid.SetFocus();
    grid.ForceRefresh();
    paintPending();
    const wxImage ours = shownPixels(*grid.GetGridWindow());

    grid.RegisterDataType(wxGRID_VALUE_STRING, new wxGridCellStringRenderer, new wxGridCellTextEditor);
    grid.ForceRefresh();
    paintPending();
    const wxImage theirs = shownPixels(*grid.GetGridWindow());

    ASSERT_TRUE(ours.IsOk());
    EXPECT_TRUE(samePixels(ours, theirs));
    frame.bufferBook->createGrid(512);
}
