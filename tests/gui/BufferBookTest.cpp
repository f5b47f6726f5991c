// The buffer pages: numbering, the limit of eight, which buffer is shown after
// each change, and the "Porównaj z" list following the page names. Each test
// starts from a freshly built window, since page numbers are never reused.
#include <wx/combobox.h>

#include "GuiHarness.h"
#include "app/Identifiers.h"
#include "app/UiText.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/BufferGrid.h"
#include "app/buffers/NumberField.h"

namespace {

std::vector<wxString> pageLabels(BufferBook& book)
{
    std::vector<wxString> labels;
    for (std::size_t i = 0; i < book.GetPageCount(); ++i)
        labels.push_back(book.GetPageText(i));
    return labels;
}

std::vector<wxString> comboEntries(wxComboBox& combo)
{
    std::vector<wxString> entries;
    for (unsigned i = 0; i < combo.GetCount(); ++i)
        entries.push_back(combo.GetString(i));
    return entries;
}

wxString shownLabel(BufferBook& book) { return book.GetPageText(std::size_t(book.GetSelection())); }

// Four pages Buf0 to Buf3, each with its own byte count (100, 101, ...).
void openFourPages(MainFrame& frame)
{
    frame.countField->SetValue("100");
    for (int i = 1; i < 4; ++i) {
        sendMenu(frame, ID_NEW_BUFFER);
        frame.countField->SetValue(wxString::Format("%d", 100 + i));
    }
}

void showPage(BufferBook& book, int page)
{
    book.SetSelection(std::size_t(page));
    processPendingEvents();
}

using Labels = std::vector<wxString>;

} // namespace

TEST(BufferBook, StartsWithBuf0Of512BytesFrom0000)
{
    MainFrame& frame = TestApp::freshFrame();
    BufferBook& book = *frame.bufferBook;
    EXPECT_EQ(pageLabels(book), Labels{"Buf0"});
    ASSERT_NE(book.currentBuffer, nullptr);
    EXPECT_EQ(book.currentBuffer, book.grid(0));
    EXPECT_EQ(book.currentBuffer->byteCount, 512u);
    EXPECT_EQ(book.currentBuffer->startAddress, 0u);
    EXPECT_EQ(comboEntries(*frame.compareCombo), Labels{"Buf0"});
    EXPECT_FALSE(frame.compareCombo->IsEnabled());
}

TEST(BufferBook, ANewPageTakesCountAndStartOfTheShownOne)
{
    MainFrame& frame = TestApp::freshFrame();
    BufferBook& book = *frame.bufferBook;
    BufferGrid* first = book.currentBuffer;
    frame.countField->SetValue("100");
    frame.startField->SetValue("0800");
    sendMenu(frame, ID_NEW_BUFFER);

    EXPECT_EQ(pageLabels(book), (Labels{"Buf0", "Buf1"}));
    EXPECT_EQ(shownLabel(book), "Buf1");
    ASSERT_NE(book.currentBuffer, first);
    EXPECT_EQ(book.currentBuffer->byteCount, 100u);
    EXPECT_EQ(book.currentBuffer->startAddress, 0x800u);
    EXPECT_EQ(book.currentBuffer->GetNumberRows(), 7);
    EXPECT_TRUE(book.currentBuffer->isHexCellEmpty(0));
    EXPECT_EQ(frame.startField->GetValue(), "0800");
    EXPECT_EQ(frame.countField->GetValue(), "100");
    EXPECT_EQ(first->byteCount, 100u);
    EXPECT_EQ(first->startAddress, 0x800u);
    EXPECT_EQ(comboEntries(*frame.compareCombo), (Labels{"Buf0", "Buf1"}));
    EXPECT_EQ(frame.compareCombo->GetSelection(), 1);
    EXPECT_TRUE(frame.compareCombo->IsEnabled());

    // Switching back hands the fields over in both directions.
    frame.countField->SetValue("64");
    showPage(book, 0);
    EXPECT_EQ(book.currentBuffer, first);
    EXPECT_EQ(book.grid(1)->byteCount, 64u);
    EXPECT_EQ(frame.countField->GetValue(), "100");
}

TEST(BufferBook, TheNinthPageIsRefusedAndNumbersAreNotReused)
{
    MainFrame& frame = TestApp::freshFrame();
    BufferBook& book = *frame.bufferBook;
    for (int i = 1; i < 8; ++i)
        EXPECT_EQ(book.newPage("Buf"), wxString::Format("Buf%d", i));
    BufferGrid* shown = book.currentBuffer;
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK, texts::TABS_LIMIT);
        sendMenu(frame, ID_NEW_BUFFER);
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_EQ(boxes.shown()[0].caption, uiText(texts::CAPTION_WARNING));
        EXPECT_TRUE(boxes.shown()[0].style & wxICON_WARNING);
    }
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK, texts::TABS_LIMIT);
        EXPECT_EQ(book.newPage("Monitor"), "");
    }
    EXPECT_EQ(book.GetPageCount(), 8u);
    EXPECT_EQ(book.pageCounter, 8u);
    EXPECT_EQ(book.currentBuffer, shown);
    EXPECT_EQ(frame.compareCombo->GetCount(), 8u);

    sendMenu(frame, ID_CLOSE_BUFFER);
    sendMenu(frame, ID_NEW_BUFFER);
    EXPECT_EQ(shownLabel(book), "Buf8");
    EXPECT_EQ(comboEntries(*frame.compareCombo).back(), "Buf8");
}

TEST(BufferBook, ClosingBAndDOfFourPagesShowsC)
{
    MainFrame& frame = TestApp::freshFrame();
    BufferBook& book = *frame.bufferBook;
    openFourPages(frame);
    BufferGrid* c = book.grid(2);

    showPage(book, 1);
    EXPECT_EQ(frame.countField->GetValue(), "101");
    sendMenu(frame, ID_CLOSE_BUFFER);
    EXPECT_EQ(pageLabels(book), (Labels{"Buf0", "Buf2", "Buf3"}));
    EXPECT_EQ(book.currentBuffer, c);
    EXPECT_EQ(shownLabel(book), "Buf2");
    EXPECT_EQ(frame.countField->GetValue(), "102");
    EXPECT_EQ(book.grid(1), c);
    EXPECT_EQ(book.grid(3), nullptr);
    EXPECT_EQ(comboEntries(*frame.compareCombo), (Labels{"Buf0", "Buf2", "Buf3"}));
    EXPECT_EQ(frame.compareCombo->GetSelection(), 2);

    showPage(book, 2);
    sendMenu(frame, ID_CLOSE_BUFFER);
    EXPECT_EQ(pageLabels(book), (Labels{"Buf0", "Buf2"}));
    EXPECT_EQ(book.currentBuffer, c);
    EXPECT_EQ(shownLabel(book), "Buf2");
    EXPECT_EQ(frame.countField->GetValue(), "102");
    EXPECT_EQ(book.grid(2), nullptr);
}

TEST(BufferBook, ClosingTheOnlyPageOpensAFreshOne)
{
    MainFrame& frame = TestApp::freshFrame();
    BufferBook& book = *frame.bufferBook;
    frame.countField->SetValue("100");
    frame.startField->SetValue("0800");
    sendMenu(frame, ID_CLOSE_BUFFER);
    EXPECT_EQ(pageLabels(book), Labels{"Buf1"});
    ASSERT_NE(book.currentBuffer, nullptr);
    EXPECT_EQ(book.currentBuffer, book.grid(0));
    EXPECT_EQ(book.currentBuffer->byteCount, 512u);
    EXPECT_EQ(book.currentBuffer->startAddress, 0u);
    EXPECT_EQ(frame.countField->GetValue(), "512");
    EXPECT_EQ(frame.startField->GetValue(), "0000");
    EXPECT_EQ(comboEntries(*frame.compareCombo), Labels{"Buf1"});
    EXPECT_FALSE(frame.compareCombo->IsEnabled());
}

TEST(BufferBook, DuplicateLabelsLoseTheirFirstComboEntry)
{
    MainFrame& frame = TestApp::freshFrame();
    BufferBook& book = *frame.bufferBook;
    sendMenu(frame, ID_NEW_BUFFER);
    sendMenu(frame, ID_NEW_BUFFER);
    // Two pages that were given the same file's name.
    for (int page : {0, 2}) {
        showPage(book, page);
        book.renameCurrentPage("eeprom.bin");
        frame.compareCombo->SetString(unsigned(page), "eeprom.bin");
    }
    EXPECT_EQ(pageLabels(book), (Labels{"eeprom.bin", "Buf1", "eeprom.bin"}));
    sendMenu(frame, ID_CLOSE_BUFFER); // page 2
    EXPECT_EQ(comboEntries(*frame.compareCombo), (Labels{"Buf1", "eeprom.bin"}));
    EXPECT_TRUE(frame.compareCombo->IsEnabled());
    sendMenu(frame, ID_CLOSE_BUFFER);
    EXPECT_EQ(comboEntries(*frame.compareCombo), (Labels{"eeprom.bin"}));
    EXPECT_FALSE(frame.compareCombo->IsEnabled());
    EXPECT_EQ(frame.compareCombo->GetSelection(), 0);
}
