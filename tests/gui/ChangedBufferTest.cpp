// No lost edits: closing a changed buffer, "Exit" and closing the window ask
// once whether to drop the changes; unchanged buffers (fresh, read, loaded,
// saved, or undone back to that) and pages the program closes itself do not.
#include <wx/app.h>

#include "FileTestSupport.h"
#include "GridKeys.h"
#include "TargetSupport.h"
#include "app/buffers/NumberField.h"

namespace {

// Changes the shown buffer as the user does: a byte typed into its first cell.
void typeIntoShownBuffer(MainFrame& frame)
{
    BufferGrid& grid = *frame.bufferBook->currentBuffer;
    GridKeys keys(grid);
    grid.SetGridCursor(0, 0);
    keys.type("5");
    keys.press(WXK_RETURN);
    ASSERT_TRUE(grid.isChanged());
}

} // namespace

TEST(ChangedBuffer, ClosingAChangedBufferAsksAndNoKeepsIt)
{
    MainFrame& frame = TestApp::freshFrame();
    BufferBook& book = *frame.bufferBook;
    sendMenu(frame, ID_NEW_BUFFER);
    sendMenu(frame, ID_CLOSE_BUFFER); // unchanged: no question
    EXPECT_EQ(pageLabels(book), (Labels{"Buf0"}));

    sendMenu(frame, ID_NEW_BUFFER);
    typeIntoShownBuffer(frame);
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_NO, pl("Bufor „Buf2” został zmieniony.\nCzy odrzucić zmiany?"));
        sendMenu(frame, ID_CLOSE_BUFFER);
        EXPECT_EQ(boxes.shown().at(0).caption, pl("Ostrzeżenie"));
        EXPECT_EQ(boxes.shown().at(0).style & (wxYES_NO | wxICON_QUESTION), wxYES_NO | wxICON_QUESTION);
    }
    EXPECT_EQ(pageLabels(book), (Labels{"Buf0", "Buf2"}));
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_YES);
        sendMenu(frame, ID_CLOSE_BUFFER);
    }
    EXPECT_EQ(pageLabels(book), (Labels{"Buf0"}));
}

TEST(ChangedBuffer, SavingOrUndoingMakesABufferUnchangedAgain)
{
    MainFrame& frame = TestApp::freshFrame();
    TempFolder folder;
    sendMenu(frame, ID_NEW_BUFFER);
    typeIntoShownBuffer(frame);
    saveFile(frame, folder.at("saved.bin"));
    sendMenu(frame, ID_CLOSE_BUFFER); // no question: the box script would fail on one

    sendMenu(frame, ID_NEW_BUFFER);
    typeIntoShownBuffer(frame);
    GridKeys(*frame.bufferBook->currentBuffer).press('z', wxMOD_CONTROL);
    sendMenu(frame, ID_CLOSE_BUFFER);

    sendMenu(frame, ID_NEW_BUFFER);
    loadFile(frame, folder.at("saved.bin"));
    sendMenu(frame, ID_CLOSE_BUFFER);
    EXPECT_EQ(pageLabels(*frame.bufferBook), (Labels{"Buf0"}));
}

TEST(ChangedBuffer, TheComparisonsPagesCloseWithoutAQuestion)
{
    MainFrame& frame = TestApp::freshFrame();
    sendMenu(frame, ID_NEW_BUFFER);
    typeIntoShownBuffer(frame); // Buf1 differs from Buf0 in its first byte
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK, pl("Razem:  1  różnica."));
        chooseComboItem(frame.compareCombo, 0);
    }
    EXPECT_EQ(pageLabels(*frame.bufferBook).size(), 3u);
    sendMenu(frame, ID_CLOSE_BUFFER); // the result page is as the comparison made it
    EXPECT_EQ(pageLabels(*frame.bufferBook), (Labels{"Buf0", "Buf1"}));
}

TEST(ChangedBuffer, ExitAndClosingTheWindowAskOnceForAllChangedBuffers)
{
    MainFrame& frame = TestApp::freshFrame();
    typeIntoShownBuffer(frame);
    sendMenu(frame, ID_NEW_BUFFER);
    sendMenu(frame, ID_NEW_BUFFER);
    typeIntoShownBuffer(frame);
    const wxString question = pl("Zmienione bufory: Buf0, Buf2.\nCzy odrzucić zmiany i zakończyć?");
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_NO, question).expect(wxID_NO, question);
        sendMenu(frame, ID_EXIT);
        EXPECT_FALSE(frame.Close()) << "the window's close button, refused";
    }
    EXPECT_TRUE(frame.IsShown());
    EXPECT_FALSE(wxTheApp->IsScheduledForDestruction(&frame));
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_YES, question); // once: the forced close that follows asks nothing
        sendMenu(frame, ID_EXIT);
    }
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(&frame));
    TestApp::freshFrame(); // the next tests get a window of their own
}
