// "Porównaj z": the buffer shown against the one chosen in the list. The result
// is a new page holding the first buffer's bytes with every byte that differs
// from the second one in red; when nothing differs the page goes again and the
// user is told the buffers are identical. Neither buffer changes.
#include <wx/combobox.h>

#include "app/MainFrame.h"
#include "app/MessageBox.h"
#include "texts/ResultLines.h"
#include "app/UiText.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/BufferGrid.h"
#include "app/ProgressWindow.h"
#include "store/Comparison.h"

namespace {

constexpr int SUMMARY_FIELD = 1;

wxString pageLabel(const BufferBook& book) { return book.GetPageText(std::size_t(book.GetSelection())); }

wxString quoted(const wxString& text) { return "\"" + text + "\""; }

} // namespace

void MainFrame::onCompareCombo(wxCommandEvent& event)
{
    BufferBook& book = *bufferBook;
    const int chosen = event.GetInt();
    BufferGrid* first = book.currentBuffer;
    if (!first || chosen < 0 || chosen >= int(book.GetPageCount()))
        return;
    const wxString firstTitle = pageLabel(book);

    // Showing the chosen page hands the fields over to the buffers; the guard
    // covers a notebook that reports the change only later.
    if (chosen != book.GetSelection()) {
        book.SetSelection(std::size_t(chosen));
        if (book.currentBuffer != book.grid(chosen))
            book.onPageShown();
    }
    const BufferGrid* second = book.currentBuffer;
    const wxString secondTitle = pageLabel(book);

    // The result page takes the second buffer's count and start address.
    if (book.newPage(quoted(firstTitle) + uiText(texts::COMPARE_JOIN) + quoted(secondTitle)).empty())
        return; // eight pages open: newPage has said so
    BufferGrid* result = book.currentBuffer;

    std::int64_t differences = 0;
    result->changeBytes([&](ByteStore& cells) {
        differences = compareBuffers(first->cells(), second->cells(), cells, progress());
    });

    if (differences == 0) {
        book.closeCurrentPage();
        showMessageBox(uiText(texts::COMPARE_IDENTICAL), uiText(texts::CAPTION_DIFFERENCES), wxOK);
        return;
    }
    const wxString summary = uiText(comparisonSummary(differences));
    showMessageBox(summary, uiText(texts::CAPTION_DIFFERENCES), wxOK);
    SetStatusText(summary, SUMMARY_FIELD);
}
