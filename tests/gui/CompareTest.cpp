// "Porównaj z": a new page holds the shown buffer's bytes with every byte that
// differs from the chosen buffer in red, and the count of differences is
// reported; identical buffers leave no page behind.
#include "FileTestSupport.h"
#include "RealInput.h"
#include "app/UiText.h"
#include "app/buffers/NumberField.h"

namespace {

wxString utf8(const char* text) { return wxString::FromUTF8(text); }

class CompareTest : public testing::Test {
protected:
    // Page 0 (Buf0) of `countA` bytes and page 1 (Buf1) of `countB` bytes,
    // both empty; page 0 shown.
    void openTwoPages(std::uint32_t countA, std::uint32_t countB)
    {
        a = book.createGrid(countA);
        sendMenu(frame, ID_NEW_BUFFER);
        b = book.createGrid(countB);
        showPage(0);
    }
    void showPage(int page)
    {
        book.SetSelection(std::size_t(page));
        processPendingEvents();
    }
    void fill(BufferGrid* grid, const Bytes& bytes)
    {
        for (std::size_t k = 0; k < bytes.size(); ++k)
            grid->setByte(k, bytes[k]);
    }
    // Chooses `entry` in "Porównaj z", expecting one box with `message`.
    void compareWith(int entry, const wxString& message, Text caption = texts::CAPTION_DIFFERENCES)
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK, message);
        chooseComboItem(frame.compareCombo, entry);
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_EQ(boxes.shown()[0].caption, uiText(caption));
        if (caption == texts::CAPTION_DIFFERENCES) {
            EXPECT_EQ(iconOf(boxes.shown()[0]), 0);
        }
    }
    wxString status(int field) { return frame.GetStatusBar()->GetStatusText(field); }

    MainFrame& frame = TestApp::freshFrame();
    BufferBook& book = *frame.bufferBook;
    BufferGrid* a = nullptr;
    BufferGrid* b = nullptr;
};

const wxString RESULT_NAME = "\"Buf0\" i \"Buf1\"";

} // namespace

TEST_F(CompareTest, ABufferComparedWithItselfIsIdenticalAndLeavesNoPage)
{
    openTwoPages(64, 64);
    fill(a, patternBytes(64));
    frame.GetStatusBar()->SetStatusText("earlier", 1);
    compareWith(0, uiText(texts::COMPARE_IDENTICAL));
    EXPECT_EQ(pageLabels(book), (Labels{"Buf0", "Buf1"}));
    EXPECT_EQ(comboEntries(*frame.compareCombo), (Labels{"Buf0", "Buf1"}));
    EXPECT_EQ(status(1), "earlier");
}

TEST_F(CompareTest, OnlyTheRowsBothHaveAreComparedIntoAPageLikeTheSecond)
{
    frame.startField->SetValue("0100");
    openTwoPages(32, 80); // 2 rows against 5
    showPage(1);
    frame.startField->SetValue("0800");
    showPage(0);
    const Bytes bytes = patternBytes(80, 5);
    fill(a, Bytes(bytes.begin(), bytes.begin() + 32));
    fill(b, bytes);
    b->setByte(31, std::uint8_t(bytes[31] ^ 1));

    compareWith(1, utf8("Razem:  1  różnica."));
    EXPECT_EQ(pageLabels(book), (Labels{"Buf0", "Buf1", RESULT_NAME}));
    EXPECT_EQ(book.GetSelection(), 2);
    const BufferGrid& result = *book.currentBuffer;
    EXPECT_EQ(result.byteCount, 80u);
    EXPECT_EQ(result.startAddress, 0x800u);
    EXPECT_EQ(result.GetNumberRows(), 5);
    EXPECT_TRUE(cellBytes(result, 32) == cellBytes(*a, 32));
    for (std::size_t k = 0; k < result.capacity(); ++k) {
        EXPECT_EQ(result.isRed(k), k == 31) << "cell " << k;
        if (k >= 32) {
            EXPECT_TRUE(result.isHexCellEmpty(k)) << "cell " << k;
        }
    }
    EXPECT_EQ(status(1), utf8("Razem:  1  różnica."));
    EXPECT_EQ(comboEntries(*frame.compareCombo), (Labels{"Buf0", "Buf1", RESULT_NAME}));
    // Neither buffer changed.
    EXPECT_EQ(a->byteCount, 32u);
    EXPECT_EQ(b->byteCount, 80u);
    EXPECT_EQ(b->getByte(31), std::uint8_t(bytes[31] ^ 1));
}

TEST_F(CompareTest, CellsAreComparedAsWholeTextsWithoutRegardToCase)
{
    struct CellCase {
        const char* inA;
        const char* inB;
        const char* result;
        bool red;
    };
    const CellCase cases[] = {
        {"", "", "", false},      // skipped: stays empty
        {"", "00", "00", true},   // empty is not "00"
        {"00", "", "00", true},
        {"1FF", "FF", "FF", true}, // left so by editing; the value is read from A
        {"FF", "1FF", "FF", true},
        {"7F", "7F", "7F", false},
        {"0A", "0A", "0A", false},
    };
    openTwoPages(16, 16);
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        a->SetCellValue(0, int(k), cases[k].inA);
        b->SetCellValue(0, int(k), cases[k].inB);
    }
    compareWith(1, utf8("Razem:  4  różnice."));
    const BufferGrid& result = *book.currentBuffer;
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(result.hexCellText(k), cases[k].result);
        EXPECT_EQ(result.isRed(k), cases[k].red);
    }
}

TEST_F(CompareTest, TheSummaryTakesTheWordForItsNumber)
{
    struct WordCase {
        int differences;
        const char* summary;
    };
    for (const WordCase& c : {WordCase{1, "Razem:  1  różnica."}, WordCase{4, "Razem:  4  różnice."},
                              WordCase{5, "Razem:  5  różnic."}, WordCase{17, "Razem:  17  różnic."}}) {
        SCOPED_TRACE(c.differences);
        MainFrame& fresh = TestApp::freshFrame();
        BufferBook& pages = *fresh.bufferBook;
        a = pages.createGrid(32);
        sendMenu(fresh, ID_NEW_BUFFER);
        b = pages.currentBuffer;
        fill(a, patternBytes(32));
        fill(b, patternBytes(32));
        for (int k = 0; k < c.differences; ++k)
            b->setByte(std::size_t(k), std::uint8_t(~a->getByte(std::size_t(k))));
        pages.SetSelection(0);
        processPendingEvents();
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK, utf8(c.summary));
        chooseComboItem(fresh.compareCombo, 1);
        EXPECT_EQ(fresh.GetStatusBar()->GetStatusText(1), utf8(c.summary));
        EXPECT_EQ(pages.GetPageText(2), RESULT_NAME);
    }
}

TEST_F(CompareTest, WithEightPagesOpenOnlyThePageChanges)
{
    a = book.createGrid(16);
    for (int i = 1; i < BufferBook::MAX_PAGES; ++i)
        sendMenu(frame, ID_NEW_BUFFER);
    showPage(0);
    frame.GetStatusBar()->SetStatusText("earlier", 1);
    compareWith(3, uiText(texts::TABS_LIMIT), texts::CAPTION_WARNING);
    EXPECT_EQ(book.GetPageCount(), std::size_t(BufferBook::MAX_PAGES));
    EXPECT_EQ(book.GetSelection(), 3);
    EXPECT_EQ(book.currentBuffer, book.grid(3));
    EXPECT_EQ(status(1), "earlier");
}

// GTK raises no event when the user chooses the entry the list already shows;
// that choice compares all the same (real clicks on the list).
TEST_F(CompareTest, EveryEntryChosenInTheListCompares)
{
    openTwoPages(32, 32); // the list shows Buf1, added last, while Buf0 is shown
    fill(a, patternBytes(32));
    fill(b, patternBytes(32));
    b->setByte(3, std::uint8_t(~a->getByte(3)));
    ASSERT_EQ(frame.compareCombo->GetSelection(), 1);
    frame.Raise();
    {
        ScriptedBoxes noBoxes; // the list closed without a choice compares nothing
        ComboPopup list(*frame.compareCombo);
        ASSERT_TRUE(list.isOpen());
    }
    EXPECT_EQ(frame.compareCombo->GetSelection(), 1);
    EXPECT_EQ(frame.compareCombo->GetValue(), "Buf1");
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK, utf8("Razem:  1  różnica."));
        ComboPopup(*frame.compareCombo).choose(1);
    }
    EXPECT_EQ(pageLabels(book), (Labels{"Buf0", "Buf1", RESULT_NAME}));
    ASSERT_EQ(frame.compareCombo->GetSelection(), 2);

    // The result page is shown and the list shows its entry: choosing that
    // entry compares the page with itself.
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK, texts::COMPARE_IDENTICAL);
        ComboPopup(*frame.compareCombo).choose(2);
    }
    EXPECT_EQ(pageLabels(book), (Labels{"Buf0", "Buf1", RESULT_NAME}));
}
