// "Porównaj z": the buffer shown against the one chosen in the list. The result
// is a new page holding the first buffer's bytes with every byte that differs
// from the second one in red; when nothing differs the page goes again and the
// user is told the buffers are identical. Neither buffer changes.
#include <algorithm>

#include <wx/combobox.h>

#include "app/MainFrame.h"
#include "app/MessageBox.h"
#include "texts/ResultLines.h"
#include "app/UiText.h"
#include "app/buffers/BufferBook.h"
#include "app/buffers/BufferGrid.h"
#include "app/ProgressWindow.h"

namespace {

constexpr int kSummaryField = 1;

// A cell text read as a hexadecimal number up to its first character that is
// not a digit (empty reads 0); only the low 8 bits are kept.
std::uint8_t leadingHexValue(const wxString& text)
{
    unsigned value = 0;
    for (const wxUniChar c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = int(c - '0');
        else if (c >= 'A' && c <= 'F')
            digit = int(c - 'A') + 10;
        else if (c >= 'a' && c <= 'f')
            digit = int(c - 'a') + 10;
        if (digit < 0)
            break;
        value = ((value << 4) | unsigned(digit)) & 0xFF;
    }
    return std::uint8_t(value);
}

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

    const std::size_t total = std::min(first->capacity(), second->capacity()); // 16 × the fewer rows
    std::int64_t differences = 0;
    ProgressWindow& gauge = progress();
    gauge.progressStart(std::uint32_t(total));
    for (std::size_t i = 0; i < total; ++i) {
        gauge.progressStep();
        // Two plain cells, nearly every cell of a read or loaded image: their
        // texts are equal exactly when their bytes are.
        if (first->isHexCellPlain(i) && second->isHexCellPlain(i)) {
            const std::uint8_t a = first->getByte(i);
            result->setByte(i, a);
            if (a != second->getByte(i)) {
                result->markRed(i);
                ++differences;
            }
            continue;
        }
        const wxString a = first->hexCellText(i);
        if (a.empty() && second->isHexCellEmpty(i))
            continue;
        result->setByte(i, leadingHexValue(a));
        // Case only matters when the texts differ at all, which is rare.
        const wxString b = second->hexCellText(i);
        if (b != a && b.Upper() != a.Upper()) {
            result->markRed(i);
            ++differences;
        }
    }

    if (differences == 0) {
        book.closeCurrentPage();
        showMessageBox(uiText(texts::COMPARE_IDENTICAL), uiText(texts::CAPTION_DIFFERENCES), wxOK);
        return;
    }
    const wxString summary = uiText(comparisonSummary(differences));
    showMessageBox(summary, uiText(texts::CAPTION_DIFFERENCES), wxOK);
    SetStatusText(summary, kSummaryField);
}
