// Moving through a buffer with real key presses: go to an address (the small
// box answered through the dialog hook), find with wildcards across row ends
// and round the ends, text among the characters, patterns refused, and the
// next and previous red cell.
#include <wx/statusbr.h>

#include "GridKeys.h"
#include "TargetSupport.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/BufferGrid.h"
#include "app/buffers/NumberField.h"

namespace {

using HexSearchTest = HexEditPage;

std::pair<int, int> cursorOf(BufferGrid& grid) { return {grid.GetGridCursorRow(), grid.GetGridCursorCol()}; }

// The selected cells of rows first to last, as "row,col" in order.
std::vector<std::string> selectedCells(BufferGrid& grid, int first, int last)
{
    std::vector<std::string> cells;
    for (int row = first; row <= last; ++row) {
        for (int col = 0; col < grid.GetNumberCols(); ++col) {
            if (grid.IsInSelection(row, col))
                cells.push_back(std::to_string(row) + "," + std::to_string(col));
        }
    }
    return cells;
}

using Cell = std::pair<int, int>;
using Cells = std::vector<std::string>;

} // namespace

TEST_F(HexSearchTest, GoToPutsTheCursorOnTheAddressInTheHalfItWasIn)
{
    {
        ScriptedBoxes boxes;
        boxes.expectEntry(wxID_OK, "0835");
        keys->press('g', wxMOD_CONTROL);
        EXPECT_EQ(boxes.shown().at(0).caption, pl("Idź do adresu"));
        EXPECT_EQ(boxes.shown().at(0).buttons, (std::vector<wxString>{"OK", "Anuluj"}));
    }
    EXPECT_EQ(cursorOf(*grid), Cell(3, 5));
    EXPECT_EQ(selectedCells(*grid, 0, 3), (Cells{"3,5", "3,22"}));

    grid->SetGridCursor(0, 20);
    {
        ScriptedBoxes boxes;
        boxes.expectEntry(wxID_OK, " 0x812 ");
        keys->press('g', wxMOD_CONTROL);
    }
    EXPECT_EQ(cursorOf(*grid), Cell(1, 19));

    // Past FFF0 the row labels go on from 0000.
    frame.startField->SetValue("FFF8");
    {
        ScriptedBoxes boxes;
        boxes.expectEntry(wxID_OK, "0008");
        keys->press('g', wxMOD_CONTROL);
    }
    EXPECT_EQ(cursorOf(*grid), Cell(1, 17));
}

TEST_F(HexSearchTest, AddressesThatCannotBeGoneToChangeNothing)
{
    grid->SetGridCursor(2, 2);
    ScriptedBoxes boxes;
    boxes.expectEntry(wxID_OK, "0840").expect(wxID_OK, pl("Adres 0840 leży poza buforem: bufor sięga od 0800 do 083F."));
    boxes.expectEntry(wxID_OK, "07FF").expect(wxID_OK, pl("Adres 07FF leży poza buforem: bufor sięga od 0800 do 083F."));
    boxes.expectEntry(wxID_OK, "xyz").expect(wxID_OK, pl("To nie jest adres szesnastkowy: „xyz”."));
    boxes.expectEntry(wxID_CANCEL, "0810");
    for (int i = 0; i < 4; ++i)
        keys->press('g', wxMOD_CONTROL);
    EXPECT_EQ(boxes.shown().size(), 7u);
    EXPECT_EQ(cursorOf(*grid), Cell(2, 2));
}

TEST_F(HexSearchTest, FindsBytesWithWildcardsAcrossRowEndsAndRoundTheEnds)
{
    const std::uint8_t word[] = {0xDE, 0xAD, 0xBE, 0xEF};
    for (std::size_t k = 0; k < 4; ++k) {
        grid->setByte(14 + k, word[k]); // across the end of row 0
        grid->setByte(40 + k, word[k]);
    }
    grid->SetGridCursor(0, 0);
    ScriptedBoxes noOtherBoxes;
    noOtherBoxes.expectEntry(wxID_OK, "ad ?? EF");
    keys->press('f', wxMOD_CONTROL);
    EXPECT_EQ(cursorOf(*grid), Cell(0, 15));
    EXPECT_EQ(selectedCells(*grid, 0, 1), (Cells{"0,15", "0,32", "1,0", "1,1", "1,17", "1,18"}));
    EXPECT_EQ(statusNote(frame), pl("Znaleziono pod adresem 080F."));

    const struct {
        int key, modifiers;
        Cell cursor;
        const char* note;
    } steps[] = {
        {WXK_F3, wxMOD_NONE, {2, 9}, "Znaleziono pod adresem 0829."},
        {WXK_F3, wxMOD_NONE, {0, 15},
         "Znaleziono pod adresem 080F (szukanie przeszło przez koniec bufora i zaczęło od początku)."},
        {WXK_F3, wxMOD_SHIFT, {2, 9},
         "Znaleziono pod adresem 0829 (szukanie przeszło przez początek bufora i zaczęło od końca)."},
    };
    for (const auto& step : steps) {
        keys->press(step.key, step.modifiers);
        EXPECT_EQ(cursorOf(*grid), step.cursor) << step.note;
        EXPECT_EQ(statusNote(frame), pl(step.note));
    }

    noOtherBoxes.expectEntry(wxID_OK, "DE AD 00");
    keys->press('f', wxMOD_CONTROL);
    EXPECT_EQ(statusNote(frame), pl("Nie znaleziono: DE AD 00")) << "in the status line, not a box";
    EXPECT_EQ(cursorOf(*grid), Cell(2, 9)) << "the cursor stays";
}

TEST_F(HexSearchTest, TextIsFoundAmongTheCharacters)
{
    grid->SetGridCursor(0, 17);
    ScriptedBoxes boxes;
    boxes.expectEntry(wxID_OK, "abc");
    keys->press('f', wxMOD_CONTROL);
    EXPECT_EQ(cursorOf(*grid), Cell(3, 18)); // byte 49 holds 0x61, "a"
    EXPECT_EQ(selectedCells(*grid, 3, 3), (Cells{"3,1", "3,2", "3,3", "3,18", "3,19", "3,20"}));
}

TEST_F(HexSearchTest, PatternsThatCannotBeSearchedAreRefused)
{
    grid->SetGridCursor(1, 1);
    const struct {
        Cell cursor;
        wxString typed;
        const char* message;
    } cases[] = {
        {{1, 1}, "DE ABC", "Bajt to dwie cyfry szesnastkowe, a tu jest ich nieparzysta liczba: „ABC”."},
        {{1, 1}, wxString('0', 65 * 2), "Wzorzec jest dłuższy niż bufor."},
        {{1, 18}, wxString::FromUTF8("ok ж"), "Znaku „ж” nie ma wśród znaków Windows-1250 widoku znaków."},
    };
    for (const auto& c : cases) {
        grid->SetGridCursor(c.cursor.first, c.cursor.second);
        ScriptedBoxes boxes;
        boxes.expectEntry(wxID_OK, c.typed).expect(wxID_OK, pl(c.message));
        keys->press('f', wxMOD_CONTROL);
        EXPECT_EQ(cursorOf(*grid), c.cursor) << c.message;
    }
}

TEST_F(HexSearchTest, F6GoesFromRedCellToRedCell)
{
    keys->press(WXK_F6);
    EXPECT_EQ(statusNote(frame), pl("W buforze nie ma czerwonych komórek."));
    grid->markRed(5);
    grid->markRed(40);
    grid->SetGridCursor(0, 0);
    const struct {
        int modifiers;
        Cell cursor;
        const char* note;
    } steps[] = {
        {wxMOD_NONE, {0, 5}, "Czerwona komórka pod adresem 0805."},
        {wxMOD_SHIFT, {2, 8},
         "Czerwona komórka pod adresem 0828 (szukanie przeszło przez początek bufora i zaczęło od końca)."},
    };
    for (const auto& step : steps) {
        keys->press(WXK_F6, step.modifiers);
        EXPECT_EQ(cursorOf(*grid), step.cursor) << step.note;
        EXPECT_EQ(statusNote(frame), pl(step.note));
    }
}
