// "Wypełnij": every selected hexadecimal cell of the buffer shown takes the
// value of the fill field, whichever half the block was drawn in.
#include <wx/toolbar.h>

#include "GuiHarness.h"
#include "app/Identifiers.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/BufferGrid.h"
#include "app/buffers/NumberField.h"

namespace {

void pressFill(MainFrame& frame)
{
    wxCommandEvent event(wxEVT_BUTTON, ID_FILL);
    event.SetEventObject(&frame);
    frame.ProcessWindowEvent(event);
}

// Byte indexes whose hexadecimal cell holds text.
std::vector<std::size_t> filledBytes(BufferGrid& grid)
{
    std::vector<std::size_t> bytes;
    for (std::size_t k = 0; k < grid.capacity(); ++k) {
        if (!grid.isHexCellEmpty(k))
            bytes.push_back(k);
    }
    return bytes;
}

using Offsets = std::vector<std::size_t>;

class FillTest : public testing::Test {
protected:
    void SetUp() override
    {
        frame.startField->SetValue("0000");
        grid = frame.bufferBook->createGrid(40); // three rows: capacity 48
    }
    void TearDown() override
    {
        frame.fillField->SetValue("FF");
        frame.bufferBook->createGrid(512);
    }

    MainFrame& frame = TestApp::frame();
    BufferGrid* grid = nullptr;
};

} // namespace

TEST_F(FillTest, NoSelectionFillsNothing)
{
    grid->ClearSelection();
    pressFill(frame);
    EXPECT_TRUE(filledBytes(*grid).empty());
}

TEST_F(FillTest, OneClickedCellIsFilledAlone)
{
    frame.fillField->SetValue("41");
    wxGridEvent click(grid->GetId(), wxEVT_GRID_CELL_LEFT_CLICK, grid, 1, 3);
    grid->GetEventHandler()->ProcessEvent(click);
    pressFill(frame);
    EXPECT_EQ(filledBytes(*grid), Offsets{19});
    EXPECT_EQ(grid->GetCellValue(1, 3), "41");
    EXPECT_EQ(grid->GetCellValue(1, 20), "A");
}

TEST_F(FillTest, ABlockDrawnAmongTheCharactersIsFilled)
{
    grid->SelectBlock(0, 20, 1, 21);
    pressFill(frame);
    EXPECT_EQ(filledBytes(*grid), (Offsets{3, 4, 19, 20}));
    EXPECT_EQ(grid->GetCellValue(0, 3), "FF");
    EXPECT_EQ(grid->GetCellValue(0, 20), ".");
}

TEST_F(FillTest, ABlockAcrossTheSeparatorFillsOnlyItsHexadecimalCells)
{
    grid->SelectBlock(0, 14, 0, 18);
    pressFill(frame);
    EXPECT_EQ(filledBytes(*grid), (Offsets{14, 15}));
}

TEST_F(FillTest, CellsPastTheByteCountAreFilledToo)
{
    grid->SelectBlock(2, 6, 2, 9); // bytes 38 to 41; the buffer has 40
    pressFill(frame);
    EXPECT_EQ(filledBytes(*grid), (Offsets{38, 39, 40, 41}));
    EXPECT_EQ(grid->byteCount, 40u);
}

TEST_F(FillTest, AnEmptyFillFieldFillsWithZero)
{
    frame.fillField->SetValue("");
    grid->SelectBlock(0, 0, 0, 1);
    pressFill(frame);
    EXPECT_EQ(grid->GetCellValue(0, 0), "00");
    EXPECT_EQ(grid->GetCellValue(0, 18), ".");
    EXPECT_TRUE(grid->IsInSelection(0, 1)) << "the selection stays";
}
