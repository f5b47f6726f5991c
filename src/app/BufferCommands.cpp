// The buffer commands of the main window: "Nowy bufor", "Zamknij bufor", the
// page change of the notebook, and "Wypełnij" (fill the selected cells); and
// the question before changes are lost. Comparing lives in CompareCommand.cpp.
#include <wx/bookctrl.h>

#include "app/MainFrame.h"
#include "app/MessageBox.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/BufferGrid.h"
#include "app/buffers/NumberField.h"
#include "app/UiText.h"

namespace {

bool userDropsChanges(const wxString& question)
{
    return showMessageBox(question, uiText(texts::CAPTION_WARNING), wxYES_NO | wxICON_QUESTION) == wxID_YES;
}

} // namespace

void MainFrame::onNewBuffer(wxCommandEvent&) { bufferBook->newPage(uiText(texts::BUFFER_BASE_NAME)); }

void MainFrame::onCloseBuffer(wxCommandEvent&)
{
    // Pages the program closes itself (a comparison's) never ask: they do
    // not come through here.
    if (mayDropShownBuffer())
        bufferBook->closeCurrentPage();
}

bool MainFrame::mayDropShownBuffer()
{
    const BufferGrid* grid = bufferBook->currentBuffer;
    if (!grid || !grid->isChanged())
        return true;
    const wxString label = bufferBook->GetPageText(std::size_t(bufferBook->GetSelection()));
    return userDropsChanges(uiText(texts::CLOSE_CHANGED_BUFFER_1) + label + uiText(texts::CLOSE_CHANGED_BUFFER_2));
}

bool MainFrame::mayDropAllBuffers()
{
    const std::vector<wxString> changed = bufferBook->changedPageLabels();
    if (changed.empty())
        return true;
    wxString labels;
    for (const wxString& label : changed)
        labels << (labels.empty() ? "" : ", ") << label;
    return userDropsChanges(uiText(texts::EXIT_CHANGED_BUFFERS_1) + labels + uiText(texts::EXIT_CHANGED_BUFFERS_2));
}

void MainFrame::onPageChanged(wxBookCtrlEvent& event)
{
    // Only the notebook's own pages: a page change of some other book control
    // inside it would carry the same event type.
    if (event.GetEventObject() == bufferBook)
        bufferBook->onPageShown();
}

void MainFrame::onFill(wxCommandEvent&)
{
    BufferGrid* grid = bufferBook->currentBuffer;
    if (!grid || !fillField)
        return;
    unsigned long value = 0;
    if (!fillField->GetValue().ToULong(&value, 16))
        value = 0; // an empty field fills with 00
    // Every selected hexadecimal cell of the whole grid, also past byteCount.
    // The selected blocks are walked instead of every cell: the same cells, at
    // a cost that follows the selection rather than the grid's size.
    const std::vector<CellBlock> blocks = grid->selectedCells(GridHalf::Hex);
    if (blocks.empty())
        return;
    grid->recordChange(blocks);
    for (const CellBlock& block : blocks)
        block.forEachCell([grid, value](std::size_t k) { grid->setByte(k, std::uint8_t(value & 0xFF)); });
}
