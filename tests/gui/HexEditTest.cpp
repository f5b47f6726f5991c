// The grid as a hex editor, through real key presses: copy from either half,
// paste (and a round trip that compares equal), undo and redo of every kind
// of change, emptying cells, Tab, the context menu, and a selection that keeps
// its colours without the focus.
#include <wx/app.h>
#include <wx/bmpbuttn.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

#include "FileTestSupport.h"
#include "GridKeys.h"
#include "RealInput.h"
#include "TargetSupport.h"
#include "app/UiText.h"
#include "app/buffers/NumberField.h"

namespace {

// Every cell's two texts, row by row, to see that nothing else changed.
std::vector<wxString> cellTexts(BufferGrid& grid)
{
    std::vector<wxString> texts;
    for (std::size_t k = 0; k < grid.capacity(); ++k)
        texts.push_back(grid.hexCellText(k) + "|" + grid.charCellText(k));
    return texts;
}

using HexEditTest = HexEditPage;

} // namespace

TEST_F(HexEditTest, CopyTakesTheUsersBlockFromTheHalfItWasDrawnIn)
{
    ScriptedBoxes noBoxes; // never the toolkit's box about several blocks
    grid->emptyByte(19);
    grid->SelectBlock(0, 2, 1, 4); // mirroring adds the characters 19-21
    keys->press('c', wxMOD_CONTROL);
    EXPECT_EQ(clipboardText(), "32 33 34\n42 ?? 44");
    EXPECT_EQ(statusNote(frame), pl("Skopiowano do schowka bajtów: 6"));

    grid->SelectBlock(2, 27, 2, 31); // characters of bytes 42-46
    keys->press(WXK_INSERT, wxMOD_CONTROL);
    EXPECT_EQ(clipboardText(), "Z[\\]^");

    grid->ClearSelection();
    grid->SetGridCursor(3, 0);
    keys->press('c', wxMOD_CONTROL);
    EXPECT_EQ(clipboardText(), "60") << "nothing selected: the cursor's byte";
}

TEST_F(HexEditTest, APastedCopyComparesEqualWithItsOriginal)
{
    grid->emptyByte(5);
    grid->markRed(6);
    grid->SelectBlock(0, 0, 3, 15);
    keys->press('c', wxMOD_CONTROL);

    sendMenu(frame, ID_NEW_BUFFER); // Buf1: 64 empty bytes
    BufferGrid* copy = frame.bufferBook->currentBuffer;
    GridKeys copyKeys(*copy);
    copy->SetGridCursor(0, 0);
    copyKeys.press('v', wxMOD_CONTROL);
    EXPECT_EQ(statusNote(frame), pl("Wklejono bajtów: 64"));
    EXPECT_EQ(copy->GetCellValue(1, 1), "41");
    EXPECT_EQ(copy->GetCellValue(1, 18), "A") << "the twin follows";
    EXPECT_TRUE(copy->isHexCellEmpty(5));
    EXPECT_TRUE(copy->isChanged());
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK, texts::COMPARE_IDENTICAL);
        chooseComboItem(frame.compareCombo, 1); // the original
    }
    ASSERT_EQ(frame.bufferBook->currentBuffer, copy);
    frame.bufferBook->closeCurrentPage();
    ASSERT_EQ(frame.bufferBook->currentBuffer, grid);
}

TEST_F(HexEditTest, TextPastedAmongTheCharactersBecomesWindows1250Bytes)
{
    putOnClipboard(wxString::FromUTF8("Zażółć"));
    grid->SetGridCursor(2, 17);
    keys->press(WXK_INSERT, wxMOD_SHIFT);
    EXPECT_EQ(cellBytes(*grid, 38), (Bytes{0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x3B,
                                           0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47,
                                           0x48, 0x49, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F, 'Z', 'a', 0xBF, 0xF3,
                                           0xB3, 0xE6}));
    EXPECT_EQ(grid->GetCellValue(2, 19), wxString::FromUTF8("ż"));
}

TEST_F(HexEditTest, PastesThatCannotGoInChangeNothing)
{
    const auto before = cellTexts(*grid);
    grid->SetGridCursor(0, 0);
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK, pl("To nie są bajty szesnastkowe (na przykład 0A 1F FF): „zz”.\nBufor nie został zmieniony."));
        putOnClipboard("41 zz 42");
        keys->press('v', wxMOD_CONTROL);
        EXPECT_EQ(boxes.shown().at(0).caption, pl("Błąd"));
    }
    putOnClipboard(" \n ");
    keys->press('v', wxMOD_CONTROL);
    EXPECT_EQ(statusNote(frame), pl("Schowek nie zawiera tekstu do wklejenia."));
    emptyClipboard();
    frame.SetStatusText("", 0);
    keys->press('v', wxMOD_CONTROL);
    EXPECT_EQ(statusNote(frame), pl("Schowek nie zawiera tekstu do wklejenia."));
    EXPECT_EQ(cellTexts(*grid), before);
    EXPECT_FALSE(grid->isChanged());
}

TEST_F(HexEditTest, APasteStopsAtTheLastCellAndSaysSo)
{
    wxString megabytes;
    for (int i = 0; i < 400000; ++i)
        megabytes << "5A ";
    putOnClipboard(megabytes);
    grid->SetGridCursor(3, 12);
    keys->press('v', wxMOD_CONTROL);
    EXPECT_EQ(statusNote(frame), pl("Wklejono bajtów: 4 z 400000; reszta nie mieści się w buforze."));
    EXPECT_EQ(grid->capacity(), 64u);
    EXPECT_EQ(cellBytes(*grid, 64)[59], 0x6B);
    EXPECT_EQ(cellBytes(*grid, 64)[60], 0x5A);
    EXPECT_EQ(cellBytes(*grid, 64)[63], 0x5A);
}

TEST_F(HexEditTest, TypingFillingPastingAndEmptyingAreUndoneAndRedone)
{
    frame.fillField->SetValue("41");
    putOnClipboard("01 02 03");
    const auto original = cellTexts(*grid);
    struct Change {
        const char* what;
        std::function<void()> make;
    };
    const Change changes[] = {
        {"typing", [&] { grid->SetGridCursor(0, 0); keys->type("7f"); keys->press(WXK_RETURN); }},
        {"fill", [&] { grid->SelectBlock(1, 20, 2, 25); clickButton(frame.FindWindow(ID_FILL)); }},
        {"paste", [&] { grid->SetGridCursor(3, 14); keys->press('v', wxMOD_CONTROL); }},
        {"delete", [&] { grid->SelectBlock(0, 4, 1, 6); keys->press(WXK_DELETE); }},
        {"backspace", [&] { grid->ClearSelection(); grid->SetGridCursor(2, 9); keys->press(WXK_BACK); }},
    };
    for (const Change& change : changes) {
        change.make();
        const auto changed = cellTexts(*grid);
        EXPECT_NE(changed, original) << change.what;
        EXPECT_TRUE(grid->isChanged()) << change.what;
        keys->press('z', wxMOD_CONTROL);
        EXPECT_EQ(cellTexts(*grid), original) << change.what;
        EXPECT_FALSE(grid->isChanged()) << change.what;
        keys->press('y', wxMOD_CONTROL);
        EXPECT_EQ(cellTexts(*grid), changed) << change.what;
        keys->press('z', wxMOD_CONTROL);
        keys->press('z', wxMOD_CONTROL | wxMOD_SHIFT);
        EXPECT_EQ(cellTexts(*grid), changed) << change.what;
        keys->press('z', wxMOD_CONTROL);
    }
    keys->press('z', wxMOD_CONTROL);
    EXPECT_EQ(statusNote(frame), pl("Nie ma zmian do cofnięcia."));
    EXPECT_EQ(cellTexts(*grid), original);
    grid->SetGridCursor(0, 0);
    keys->type("1");
    keys->press(WXK_RETURN);
    keys->press('y', wxMOD_CONTROL);
    EXPECT_EQ(statusNote(frame), pl("Nie ma zmian do ponowienia.")) << "a new edit ends the redo";
    EXPECT_EQ(grid->GetCellValue(0, 0), "01");
}

TEST_F(HexEditTest, ALoadIsUndoneWithTheOldSizeAndMarks)
{
    TempFolder folder;
    const std::string path = folder.at("image.bin");
    writeFile(path, patternBytes(48)); // not larger than the buffer: no question
    grid->markRed(7);
    const auto before = cellTexts(*grid);
    loadFile(frame, path);
    BufferGrid* loaded = frame.bufferBook->currentBuffer;
    ASSERT_NE(loaded, grid);
    EXPECT_FALSE(loaded->isChanged()) << "a loaded buffer is unchanged";
    GridKeys loadedKeys(*loaded);
    loadedKeys.press('z', wxMOD_CONTROL);
    EXPECT_EQ(loaded->GetNumberRows(), 4);
    EXPECT_EQ(cellTexts(*loaded), before);
    EXPECT_TRUE(loaded->isRed(7)) << "colours come back with the bytes";
    EXPECT_EQ(frame.countField->GetValue(), "64");
    loadedKeys.press('y', wxMOD_CONTROL);
    EXPECT_EQ(loaded->GetNumberRows(), 3);
    EXPECT_EQ(cellBytes(*loaded, 48), patternBytes(48));
    EXPECT_FALSE(loaded->isRed(7));
    EXPECT_EQ(frame.countField->GetValue(), "48");
}

TEST(HexEditRead, AReadIsUndoneWithTheMarksOfTheContentBefore)
{
    auto [frame, board] = connectFreshBoard("HC912Dx128x", 16, "16MHz");
    const Bytes eeprom = randomBytes(32, 5);
    std::copy(eeprom.begin(), eeprom.end(), board->eeprom().begin());
    frame.countField->SetValue("32");
    BufferGrid& before = shownGrid(frame);
    before.setByte(3, 0x77);
    before.markRed(3);
    {
        ScriptedBoxes noBoxes;
        clickButton(frame.readButton);
    }
    BufferGrid& read = shownGrid(frame);
    ASSERT_EQ(bufferBytes(frame, 32), eeprom);
    EXPECT_FALSE(read.isChanged()) << "a buffer just read is unchanged";
    GridKeys keys(read);
    keys.press('z', wxMOD_CONTROL);
    EXPECT_EQ(read.getByte(3), 0x77);
    EXPECT_TRUE(read.isRed(3));
    EXPECT_TRUE(read.isHexCellEmpty(4));
    keys.press('y', wxMOD_CONTROL);
    EXPECT_EQ(bufferBytes(frame, 32), eeprom);
    EXPECT_FALSE(read.isRed(3));
}

TEST_F(HexEditTest, DeleteAndBackspaceEmptyTheSelectedHexadecimalCells)
{
    grid->SelectBlock(1, 20, 2, 21); // among the characters: bytes 19-20 and 35-36
    keys->press(WXK_DELETE);
    for (std::size_t k : {19u, 20u, 35u, 36u}) {
        EXPECT_TRUE(grid->isHexCellEmpty(k)) << k;
        EXPECT_EQ(grid->charCellText(k), "") << k;
    }
    EXPECT_FALSE(grid->isHexCellEmpty(21));
    EXPECT_FALSE(grid->isHexCellEmpty(18));
    grid->ClearSelection();
    grid->SetGridCursor(3, 3);
    keys->press(WXK_BACK);
    EXPECT_TRUE(grid->isHexCellEmpty(51));
    EXPECT_FALSE(grid->IsCellEditControlShown());
}

TEST_F(HexEditTest, TabStaysInItsHalfAndNeverOnTheSeparator)
{
    struct Step {
        int row, col, modifiers, toRow, toCol;
    };
    const Step steps[] = {
        {0, 14, wxMOD_NONE, 0, 15}, {0, 15, wxMOD_NONE, 1, 0},   {1, 0, wxMOD_SHIFT, 0, 15},
        {0, 31, wxMOD_NONE, 0, 32}, {0, 32, wxMOD_NONE, 1, 17},  {1, 17, wxMOD_SHIFT, 0, 32},
        {3, 15, wxMOD_NONE, 3, 15}, // the last cell keeps the cursor
    };
    for (const Step& step : steps) {
        grid->SetGridCursor(step.row, step.col);
        keys->press(WXK_TAB, step.modifiers);
        EXPECT_EQ(grid->GetGridCursorRow(), step.toRow) << step.row << "," << step.col;
        EXPECT_EQ(grid->GetGridCursorCol(), step.toCol) << step.row << "," << step.col;
    }
    // A cell being typed into takes its text along.
    grid->SetGridCursor(0, 15);
    keys->type("a");
    keys->press(WXK_TAB);
    EXPECT_EQ(grid->GetCellValue(0, 15), "0A");
    EXPECT_EQ(grid->GetGridCursorRow(), 1);
    EXPECT_EQ(grid->GetGridCursorCol(), 0);
}

TEST_F(HexEditTest, TheSelectionKeepsItsColoursWithoutTheFocus)
{
    // The cursor's frame, which does follow the focus, stays out of the rows compared.
    grid->SetGridCursor(3, 12);
    grid->SelectBlock(1, 2, 2, 6);
    const wxRect rows = grid->CellToRect(1, 0).Union(grid->CellToRect(2, 32));
    paintPending();
    const wxImage focused = shownPixels(*grid->GetGridWindow()).GetSubImage(rows);
    frame.fillField->SetFocus();
    settleUntil([&] { return wxWindow::FindFocus() == frame.fillField; });
    grid->ForceRefresh();
    paintPending();
    EXPECT_TRUE(samePixels(focused, shownPixels(*grid->GetGridWindow()).GetSubImage(rows)));
}

namespace {

// Answers the grid's context menu as the user does: when it opens, notes its
// items and presses the letter of the one to choose.
class MenuChoice : public wxEventFilter {
public:
    explicit MenuChoice(int letter) : letter_(letter) { wxEvtHandler::AddFilter(this); }
    ~MenuChoice() override { wxEvtHandler::RemoveFilter(this); }

    int FilterEvent(wxEvent& event) override
    {
        auto* opened = dynamic_cast<wxMenuEvent*>(&event);
        if (event.GetEventType() != wxEVT_MENU_OPEN || !opened || !opened->GetMenu() || opened_)
            return Event_Skip;
        opened_ = true;
        for (const wxMenuItem* item : opened->GetMenu()->GetMenuItems()) {
            if (!item->IsSeparator())
                items.push_back(item->GetItemLabelText() + (item->IsEnabled() ? "" : " (off)"));
        }
        wxTheApp->CallAfter([this] { wxUIActionSimulator().Char(letter_); });
        return Event_Skip;
    }

    std::vector<wxString> items;

private:
    int letter_;
    bool opened_ = false;
};

void rightClick(BufferGrid& grid, int row, int col)
{
    const wxRect cell = grid.CellToRect(row, col);
    const wxPoint centre = grid.GetGridWindow()->ClientToScreen(cell.GetPosition() + cell.GetSize() / 2);
    wxUIActionSimulator mouse;
    mouse.MouseMove(centre);
    settleUntil([&] { return wxGetMousePosition() == centre; });
    mouse.MouseClick(wxMOUSE_BTN_RIGHT);
}

} // namespace

TEST_F(HexEditTest, TheContextMenuOffersEveryActionAndRunsTheChosenOne)
{
    putOnClipboard("-");
    {
        MenuChoice choice('k');
        rightClick(*grid, 1, 2);
        settleUntil([] { return clipboardText() == "42"; });
        settleUntil([&] { return !choice.items.empty(); });
        EXPECT_EQ(choice.items, (std::vector<wxString>{pl("Kopiuj"), pl("Wklej"), pl("Opróżnij komórki"),
                                                       pl("Cofnij (off)"), pl("Ponów (off)"), pl("Idź do adresu..."),
                                                       pl("Znajdź..."), pl("Znajdź następny"), pl("Znajdź poprzedni"),
                                                       pl("Następna czerwona komórka"),
                                                       pl("Poprzednia czerwona komórka")}));
    }
    EXPECT_EQ(clipboardText(), "42") << "the clicked cell, selected by the click";
    {
        MenuChoice choice('w');
        rightClick(*grid, 3, 20);
        settleUntil([&] { return grid->getByte(51) == 0x34; });
    }
    EXPECT_EQ(grid->GetCellValue(3, 3), "34") << "pasted as text among the characters";
    EXPECT_EQ(grid->GetCellValue(3, 4), "32");
}

TEST_F(HexEditTest, TheMenuKeyAndShiftF10OpenTheContextMenuOnTheCursorsCell)
{
    putOnClipboard("-");
    grid->GoToCell(2, 5);
    {
        MenuChoice choice('k');
        wxUIActionSimulator().Char(WXK_MENU);
        settleUntil([] { return clipboardText() == "55"; });
        EXPECT_EQ(choice.items.size(), 11u);
    }
    EXPECT_EQ(clipboardText(), "55") << "byte 37, under the cursor";
    grid->GoToCell(0, 20);
    {
        MenuChoice choice('k');
        wxUIActionSimulator().Char(WXK_F10, wxMOD_SHIFT);
        settleUntil([] { return clipboardText() == "3"; });
    }
    EXPECT_EQ(clipboardText(), "3") << "the character of byte 3, from the cell the cursor is on";
}
