// The buffer commands of the main window: "Nowy bufor", "Zamknij bufor", the
// page change of the notebook, and "Wypełnij" (fill the selected cells).
// Comparing lives in CompareCommand.cpp.
#include <algorithm>

#include <wx/bookctrl.h>

#include "app/MainFrame.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/BufferGrid.h"
#include "app/buffers/NumberField.h"
#include "app/UiText.h"

void MainFrame::onNewBuffer(wxCommandEvent&) { bufferBook->newPage(uiText(texts::BUFFER_BASE_NAME)); }

void MainFrame::onCloseBuffer(wxCommandEvent&) { bufferBook->closeCurrentPage(); }

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
    for (const wxGridBlockCoords& block : grid->GetSelectedBlocks()) {
        const int right = std::min(block.GetRightCol(), kBytesPerRow - 1);
        for (int row = block.GetTopRow(); row <= block.GetBottomRow(); ++row) {
            for (int col = block.GetLeftCol(); col <= right; ++col)
                grid->setByte(std::size_t(row) * kBytesPerRow + std::size_t(col), std::uint8_t(value & 0xFF));
        }
    }
}
