// The buffer grid on the real main window: its shape and labels, the editing
// rules through the grid's own events, selection mirroring, the click, and the
// hand-over between the grid and the start and count fields.
#include <tuple>

#include <wx/combobox.h>
#include <wx/textctrl.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include "GuiHarness.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/BufferGrid.h"
#include "app/buffers/NumberField.h"

namespace {

BufferGrid& freshGrid(std::uint32_t bytes, const char* start = "0000")
{
    MainFrame& frame = TestApp::frame();
    frame.startField->SetValue(start);
    return *frame.bufferBook->createGrid(bytes);
}

void sendGridEvent(BufferGrid& grid, wxEventType type, int row, int col)
{
    wxGridEvent event(grid.GetId(), type, &grid, row, col);
    grid.GetEventHandler()->ProcessEvent(event);
}

// What the user's edit does: the editor stores the text, then the grid reports the change.
void typeIntoCell(BufferGrid& grid, int row, int col, const wxString& text)
{
    grid.SetCellValue(row, col, text);
    sendGridEvent(grid, wxEVT_GRID_CELL_CHANGED, row, col);
}

std::vector<std::pair<int, int>> selectedCellsOfRow(BufferGrid& grid, int row)
{
    std::vector<std::pair<int, int>> cells;
    for (int col = 0; col < grid.GetNumberCols(); ++col) {
        if (grid.IsInSelection(row, col))
            cells.emplace_back(row, col);
    }
    return cells;
}

// Leaves the shared window as start-up left it: 512 bytes from 0000.
class BufferGridTest : public testing::Test {
protected:
    void TearDown() override
    {
        MainFrame& frame = TestApp::frame();
        frame.startField->SetValue("0000");
        frame.bufferBook->createGrid(512);
    }
};

} // namespace

TEST_F(BufferGridTest, RowsAndLabelsFollowTheByteCount)
{
    struct Case {
        std::uint32_t bytes;
        int rows;
        const char* lastLabel;
    };
    const Case cases[] = {{0, 1, "0800"}, {16, 1, "0800"}, {17, 2, "0810"}, {1024, 64, "0BF0"}};
    for (const Case& c : cases) {
        BufferGrid& grid = freshGrid(c.bytes, "0800");
        EXPECT_EQ(grid.GetNumberRows(), c.rows) << c.bytes;
        EXPECT_EQ(grid.GetNumberCols(), 33);
        EXPECT_EQ(grid.byteCount, c.bytes);
        EXPECT_EQ(grid.startAddress, 0x800u) << "the start address survives the rebuild";
        EXPECT_EQ(grid.GetRowLabelValue(0), "0800");
        EXPECT_EQ(grid.GetRowLabelValue(c.rows - 1), c.lastLabel);
        EXPECT_EQ(TestApp::frame().countField->GetValue(), wxString::Format("%u", c.bytes));
        EXPECT_TRUE(grid.isHexCellEmpty(0));
    }
}

TEST_F(BufferGridTest, ColumnsLabelsAndLook)
{
    BufferGrid& grid = freshGrid(64);
    const std::pair<int, const char*> labels[] = {{0, "00"}, {10, "0A"}, {15, "0F"}, {16, ""}, {17, "A"},
                                                  {18, "S"}, {19, "C"},  {20, "I"},  {21, "I"}, {22, ""}, {32, ""}};
    for (auto [col, label] : labels)
        EXPECT_EQ(grid.GetColLabelValue(col), label) << col;
    EXPECT_EQ(grid.GetColSize(0), 21);
    EXPECT_EQ(grid.GetColSize(15), 21);
    EXPECT_EQ(grid.GetColSize(16), 4);
    EXPECT_EQ(grid.GetColSize(17), 12);
    EXPECT_EQ(grid.GetColSize(32), 12);
    EXPECT_EQ(grid.GetRowLabelSize(), 42);
    EXPECT_EQ(grid.GetColLabelSize(), 20);
    EXPECT_EQ(grid.GetRowSize(0), 16);
    EXPECT_EQ(grid.GetName(), "Notebook");
    EXPECT_EQ(grid.GetId(), 0);
    EXPECT_EQ(grid.GetPosition(), wxPoint(3, 3));
    EXPECT_EQ(grid.GetDefaultCellBackgroundColour(), wxColour(182, 182, 219));
    EXPECT_EQ(grid.GetDefaultCellFont().GetWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_FALSE(grid.GridLinesEnabled());
    EXPECT_TRUE(grid.IsReadOnly(0, 16));
    EXPECT_FALSE(grid.IsReadOnly(0, 15));
    EXPECT_EQ(grid.GetCellBackgroundColour(3, 16), wxColour(131, 129, 238));
    EXPECT_EQ(grid.GetCellFont(3, 16).GetWeight(), wxFONTWEIGHT_NORMAL);
    EXPECT_EQ(grid.GetSelectionMode(), wxGrid::wxGridSelectCells);
    EXPECT_FALSE(grid.CanDragColSize(0));
    EXPECT_FALSE(grid.CanDragRowSize(0));
    EXPECT_FALSE(grid.CanDragGridSize());
}

TEST_F(BufferGridTest, RowLabelsWrapAfterFFF0)
{
    BufferGrid& grid = freshGrid(64, "FFF8");
    EXPECT_EQ(grid.GetRowLabelValue(0), "FFF8");
    EXPECT_EQ(grid.GetRowLabelValue(1), "0008");
    EXPECT_EQ(grid.GetRowLabelValue(3), "0028");
}

TEST_F(BufferGridTest, SetByteFillsBothHalvesAndStaysInsideTheCells)
{
    BufferGrid& grid = freshGrid(20); // two rows: capacity 32
    grid.setByte(17, 0x41);
    EXPECT_EQ(grid.GetCellValue(1, 1), "41");
    EXPECT_EQ(grid.GetCellValue(1, 18), "A");
    EXPECT_EQ(grid.getByte(17), 0x41);
    grid.setByte(25, 0xB9); // past byteCount, inside the last row
    EXPECT_EQ(grid.GetCellValue(1, 26), wxString::FromUTF8("ą"));
    grid.setByte(32, 0x12); // past the capacity: ignored
    EXPECT_EQ(grid.getByte(32), 0);
    EXPECT_EQ(grid.GetNumberRows(), 2);
}

TEST_F(BufferGridTest, EditsThroughTheGridFollowTheCellRules)
{
    BufferGrid& grid = freshGrid(32);
    typeIntoCell(grid, 0, 2, "1ff");
    EXPECT_EQ(grid.GetCellValue(0, 2), "1FF");
    EXPECT_EQ(grid.GetCellValue(0, 19), wxString::FromUTF8("˙")) << "0x1FF is not 0xFF: the character of code 0xFF";
    EXPECT_EQ(grid.getByte(2), 0xFF);

    typeIntoCell(grid, 1, 20, "A");
    EXPECT_EQ(grid.GetCellValue(1, 3), "41");
    EXPECT_EQ(grid.GetCellValue(1, 20), "A");

    grid.setByte(16 + 4, 0x33);
    typeIntoCell(grid, 1, 21, "");
    EXPECT_EQ(grid.GetCellValue(1, 4), "00");
    EXPECT_EQ(grid.GetCellValue(1, 21), "");
    EXPECT_EQ(grid.getByte(16 + 4), 0);

    grid.setByte(5, 0x41);
    typeIntoCell(grid, 0, 5, "");
    EXPECT_TRUE(grid.isHexCellEmpty(5));
    EXPECT_EQ(grid.GetCellValue(0, 22), ".");
}

TEST_F(BufferGridTest, TheGridsOwnEditorAppliesTheRuleAndUpdatesTheTwin)
{
    BufferGrid& grid = freshGrid(32);
    for (auto [col, typed, hex, chars] : {std::tuple{3, "b9", "B9", "ą"}, std::tuple{20, "Ż", "AF", "Ż"}}) {
        grid.SetGridCursor(1, col);
        grid.EnableCellEditControl();
        ASSERT_TRUE(grid.IsCellEditControlShown());
        wxGridCellEditor* editor = grid.GetCellEditor(1, col);
        auto* text = dynamic_cast<wxTextCtrl*>(editor->GetControl());
        editor->DecRef();
        ASSERT_NE(text, nullptr);
        text->SetValue(wxString::FromUTF8(typed));
        grid.SaveEditControlValue();
        grid.DisableCellEditControl();
        EXPECT_EQ(grid.GetCellValue(1, 3), hex) << typed;
        EXPECT_EQ(grid.GetCellValue(1, 20), wxString::FromUTF8(chars)) << typed;
    }
}

TEST_F(BufferGridTest, RedMarksShowAndSurviveWrites)
{
    BufferGrid& grid = freshGrid(32);
    grid.setByte(3, 0x10);
    grid.markRed(3);
    grid.setByte(3, 0x20);
    EXPECT_EQ(grid.GetCellTextColour(0, 3), *wxRED);
    EXPECT_NE(grid.GetCellTextColour(0, 4), *wxRED);
    // Colours set directly on the grid still work beside the marks.
    grid.SetCellTextColour(0, 4, *wxRED);
    EXPECT_EQ(grid.GetCellTextColour(0, 4), *wxRED);
    EXPECT_NE(grid.GetCellTextColour(0, 5), *wxRED);
    EXPECT_TRUE(freshGrid(32).GetCellTextColour(0, 3) != *wxRED) << "a rebuilt grid has no marks";
}

TEST_F(BufferGridTest, SelectionsAreMirroredBetweenTheHalves)
{
    BufferGrid& grid = freshGrid(128);
    grid.SelectBlock(0, 2, 3, 5);
    EXPECT_TRUE(grid.IsInSelection(0, 19));
    EXPECT_TRUE(grid.IsInSelection(3, 22));
    EXPECT_FALSE(grid.IsInSelection(4, 19));
    EXPECT_FALSE(grid.IsInSelection(0, 23));

    grid.SelectBlock(5, 20, 6, 21);
    EXPECT_FALSE(grid.IsInSelection(0, 2)) << "a new block replaces the old one";
    EXPECT_TRUE(grid.IsInSelection(5, 3));
    EXPECT_TRUE(grid.IsInSelection(6, 4));
    EXPECT_TRUE(grid.isSelected(5 * 16 + 3));
    EXPECT_FALSE(grid.isSelected(5 * 16 + 5));
}

TEST_F(BufferGridTest, ABlockAcrossTheSeparatorStaysAsDrawn)
{
    BufferGrid& grid = freshGrid(128);
    grid.SelectBlock(0, 2, 0, 20);
    const auto cells = selectedCellsOfRow(grid, 0);
    ASSERT_EQ(cells.size(), 19u);
    EXPECT_EQ(cells.front().second, 2);
    EXPECT_EQ(cells.back().second, 20);
}

TEST_F(BufferGridTest, TwinsOfBlocksAtTheSeparatorAreCut)
{
    BufferGrid& grid = freshGrid(128);
    grid.SelectBlock(1, 16, 1, 18); // twin -1..1 is cut to 0..1
    EXPECT_EQ(selectedCellsOfRow(grid, 1),
              (std::vector<std::pair<int, int>>{{1, 0}, {1, 1}, {1, 16}, {1, 17}, {1, 18}}));
    grid.SelectBlock(2, 14, 2, 16); // twin 31..33 is cut to 31..32
    EXPECT_EQ(selectedCellsOfRow(grid, 2),
              (std::vector<std::pair<int, int>>{{2, 14}, {2, 15}, {2, 16}, {2, 31}, {2, 32}}));
    grid.SelectBlock(3, 16, 3, 16); // the separator alone has no twin
    EXPECT_EQ(selectedCellsOfRow(grid, 3), (std::vector<std::pair<int, int>>{{3, 16}}));
}

TEST_F(BufferGridTest, AClickSelectsExactlyThatCellAndItsTwin)
{
    BufferGrid& grid = freshGrid(128);
    grid.SelectBlock(0, 0, 4, 10);
    sendGridEvent(grid, wxEVT_GRID_CELL_LEFT_CLICK, 2, 5);
    EXPECT_EQ(selectedCellsOfRow(grid, 2), (std::vector<std::pair<int, int>>{{2, 5}, {2, 22}}));
    EXPECT_TRUE(selectedCellsOfRow(grid, 0).empty());
    EXPECT_EQ(grid.GetGridCursorRow(), 2);
    EXPECT_EQ(grid.GetGridCursorCol(), 5);

    sendGridEvent(grid, wxEVT_GRID_CELL_LEFT_CLICK, 3, 30);
    EXPECT_EQ(selectedCellsOfRow(grid, 3), (std::vector<std::pair<int, int>>{{3, 13}, {3, 30}}));
    EXPECT_TRUE(selectedCellsOfRow(grid, 2).empty());
}

TEST_F(BufferGridTest, AByteSelectedFromCodeIsTheWholeSelectionWithItsTwin)
{
    // What the write does to a failed cell, and what the procedures' test
    // buffer copies: nothing selected before stays selected.
    BufferGrid& grid = freshGrid(128);
    grid.SelectBlock(0, 0, 4, 10);
    grid.selectOnlyByte(2 * 16 + 5);
    grid.selectOnlyByte(3 * 16 + 7);
    EXPECT_EQ(selectedCellsOfRow(grid, 3), (std::vector<std::pair<int, int>>{{3, 7}, {3, 24}}));
    for (int row : {0, 1, 2, 4})
        EXPECT_TRUE(selectedCellsOfRow(grid, row).empty()) << row;
}

TEST_F(BufferGridTest, FieldsAndBufferHandOverBothWays)
{
    MainFrame& frame = TestApp::frame();
    BufferGrid& grid = freshGrid(256);
    frame.startField->SetValue("0D00");
    EXPECT_EQ(grid.startAddress, 0xD00u);
    EXPECT_EQ(grid.GetRowLabelValue(1), "0D10");
    frame.countField->SetValue("100");
    EXPECT_EQ(grid.byteCount, 100u);
    frame.fillField->SetValue("7");
    EXPECT_EQ(grid.byteCount, 100u) << "an edit of the fill field re-applies both fields";

    grid.byteCount = 48;
    grid.startAddress = 0x1234;
    grid.showBufferInFields();
    EXPECT_EQ(frame.countField->GetValue(), "48");
    EXPECT_EQ(frame.startField->GetValue(), "1234");
    EXPECT_EQ(grid.startAddress, 0x1234u);
    EXPECT_EQ(grid.byteCount, 48u);
    EXPECT_EQ(grid.GetRowLabelValue(0), "1234");
    frame.fillField->SetValue("FF");
}

TEST_F(BufferGridTest, ACountLargerThanTheCellsGrowsTheGrid)
{
    MainFrame& frame = TestApp::frame();
    BufferGrid& grid = freshGrid(32);
    grid.setByte(31, 0x5A);
    frame.countField->SetValue("4097");
    EXPECT_EQ(grid.byteCount, 4097u);
    EXPECT_EQ(grid.GetNumberRows(), 257);
    EXPECT_GE(grid.capacity(), 4097u);
    EXPECT_EQ(grid.GetCellValue(1, 15), "5A");
    EXPECT_TRUE(grid.isHexCellEmpty(200 * 16));
    frame.countField->SetValue("16");
    EXPECT_EQ(grid.GetNumberRows(), 257) << "a smaller count keeps the cells";
}

TEST_F(BufferGridTest, ResizingTheWindowSizesEveryGrid)
{
    MainFrame& frame = TestApp::frame();
    frame.bufferBook->newPage("extra");
    frame.SetSize(705, 760);
    processPendingEvents();
    const int h = frame.GetClientSize().y + frame.GetToolBar()->GetSize().y + frame.GetStatusBar()->GetSize().y;
    const int width = frame.bufferBook->currentBuffer->GetSize().x;
    for (int page = 0; page < int(frame.bufferBook->GetPageCount()); ++page) {
        EXPECT_EQ(frame.bufferBook->grid(page)->GetSize().y, h - 120) << page;
        EXPECT_EQ(frame.bufferBook->grid(page)->GetSize().x, width) << page;
    }
    frame.bufferBook->closeCurrentPage();
    frame.SetSize(705, 660);
    processPendingEvents();
}

// An operation changes a word at a time and asks for its row again and again;
// between two of the window's turns only the first ask refreshes. A byte
// changed after a turn must still reach the screen at the next one.
TEST_F(BufferGridTest, RowsRefreshedBetweenTurnsShowEveryChange)
{
    BufferGrid& grid = freshGrid(512);
    for (std::size_t k = 0; k < 16; ++k)
        grid.setByte(k, 0x11);
    paintPending(); // what the first change scheduled
    for (std::uint8_t word = 0; word < 8; ++word) {
        grid.setByte(2 * word, word);
        grid.setByte(2 * word + 1, word);
        grid.refreshRows(0, 0);
        if (word % 3 == 2)
            paintPending(); // a turn in the middle of the row
    }
    paintPending();
    const wxImage turns = shownPixels(*grid.GetGridWindow());
    grid.ForceRefresh();
    paintPending();
    EXPECT_TRUE(samePixels(turns, shownPixels(*grid.GetGridWindow())));
}
