// Selections drawn with the real mouse (XTest under Xvfb): the grid extends
// its last selected block while the button is held, so mirroring must keep the
// user's block last and follow every step of the drag.
#include <wx/uiaction.h>
#include <wx/time.h>
#include <wx/utils.h>

#include "GuiHarness.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/BufferGrid.h"

namespace {

// One row of the selection as '#' (selected) and '.' (not), columns 0 to 32.
std::string selectionRow(BufferGrid& grid, int row)
{
    std::string line;
    for (int col = 0; col < grid.GetNumberCols(); ++col)
        line += grid.IsInSelection(row, col) ? '#' : '.';
    return line;
}

class MouseDrag {
public:
    explicit MouseDrag(BufferGrid& grid) : grid_(grid) {}

    void along(std::initializer_list<std::pair<int, int>> cells)
    {
        bool first = true;
        for (auto [row, col] : cells) {
            const wxPoint target = centreOf(row, col);
            simulator_.MouseMove(target);
            settle([&] { return wxGetMouseState().GetPosition() == target; });
            if (first) {
                simulator_.MouseDown();
                settle([] { return wxGetMouseState().LeftIsDown(); });
            }
            first = false;
        }
        simulator_.MouseUp();
        settle([] { return !wxGetMouseState().LeftIsDown(); });
    }

private:
    // XTest events travel through the X server: wait (2 s at most) until the
    // pointer shows the step, then let the grid handle what it was sent.
    template <typename Condition>
    static void settle(Condition reached)
    {
        const wxLongLong until = wxGetLocalTimeMillis() + 2000;
        while (!reached() && wxGetLocalTimeMillis() < until) {
            processPendingEvents();
            wxMilliSleep(5);
        }
        for (int i = 0; i < 5; ++i) {
            processPendingEvents();
            wxMilliSleep(5);
        }
    }

    wxPoint centreOf(int row, int col)
    {
        const wxRect r = grid_.CellToRect(row, col);
        return grid_.GetGridWindow()->ClientToScreen(r.GetPosition() + wxPoint(r.width / 2, r.height / 2));
    }

    BufferGrid& grid_;
    wxUIActionSimulator simulator_;
};

} // namespace

TEST(BufferGridMouse, DraggedBlocksAreMirroredUnlessTheyCrossTheSeparator)
{
    MainFrame& frame = TestApp::frame();
    frame.Raise();
    BufferGrid& grid = *frame.bufferBook->createGrid(512);
    processPendingEvents();
    MouseDrag drag(grid);

    drag.along({{0, 2}, {1, 3}, {3, 5}});
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(selectionRow(grid, row), "..####.............####..........") << row;
    EXPECT_EQ(selectionRow(grid, 4), std::string(33, '.'));

    // Across the separator: the block stays as drawn, the twin added while the
    // drag was still in the hexadecimal half is gone.
    drag.along({{0, 2}, {0, 10}, {0, 20}});
    EXPECT_EQ(selectionRow(grid, 0), "..###################............");
    EXPECT_EQ(selectionRow(grid, 1), std::string(33, '.'));

    // Backwards, in the character half.
    drag.along({{0, 25}, {1, 20}, {1, 18}});
    EXPECT_EQ(selectionRow(grid, 0), ".########.........########.......");
    EXPECT_EQ(selectionRow(grid, 1), ".########.........########.......");
    EXPECT_EQ(selectionRow(grid, 2), std::string(33, '.'));
}
