// Copy and paste between the grid and the clipboard, as text: hexadecimal
// pairs from and into the hexadecimal half, characters (Windows-1250 shown as
// Unicode) from and into the character half. A paste writes through the same
// cell operations as the other commands, from the cursor on, and never past
// the grid's last cell.
#include "app/buffers/GridActions.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include "app/UiText.h"
#include "store/HexText.h"

namespace {

std::optional<wxString> clipboardText()
{
    wxClipboardLocker locker;
    if (!locker || !wxTheClipboard->IsSupported(wxDF_UNICODETEXT))
        return std::nullopt;
    wxTextDataObject data;
    if (!wxTheClipboard->GetData(data))
        return std::nullopt;
    return data.GetText();
}

bool putOnClipboard(const wxString& text)
{
    wxClipboardLocker locker;
    return !!locker && wxTheClipboard->SetData(new wxTextDataObject(text));
}

wxString count(std::size_t n) { return wxString::Format("%zu", n); }

} // namespace

void GridActions::copy(BufferGrid& grid)
{
    // The half the user selected in; mirroring has selected the twin too.
    const GridHalf half = grid.selectionHalf();
    std::vector<CellBlock> blocks = grid.selectedCells(half);
    if (blocks.empty())
        blocks.push_back(CellBlock::run(grid.cursorByte(), 1));
    const std::wstring text =
        half == GridHalf::Hex ? hexCopyText(grid.cells(), blocks) : charCopyText(grid.cells(), blocks);
    if (!putOnClipboard(wxString(text))) {
        note(uiText(texts::NOTE_CLIPBOARD_UNAVAILABLE));
        return;
    }
    std::size_t bytes = 0;
    for (const CellBlock& block : blocks)
        bytes += block.cells();
    note(uiText(texts::NOTE_COPIED) + count(bytes));
}

void GridActions::paste(BufferGrid& grid)
{
    const std::optional<wxString> text = clipboardText();
    const std::size_t at = grid.cursorByte();
    const std::size_t room = grid.capacity() > at ? grid.capacity() - at : 0;
    std::vector<int> cells;
    std::size_t total = 0;
    if (text && grid.cursorHalf() == GridHalf::Hex) {
        const HexTextReading reading = readHexText(text->ToStdWstring(), room);
        if (reading.problem != HexTextReading::Problem::None) {
            refuseNotBytes(reading.problem == HexTextReading::Problem::OddDigits, reading.badToken,
                           uiText(texts::PASTE_NOTHING_CHANGED));
            return;
        }
        cells = reading.cells;
        total = reading.total;
    } else if (text) {
        const CharTextReading reading = readCharText(text->ToStdWstring(), room);
        cells.assign(reading.bytes.begin(), reading.bytes.end());
        total = reading.total;
    }
    if (total == 0) {
        note(uiText(texts::NOTE_CLIPBOARD_EMPTY));
        return;
    }
    if (!cells.empty())
        grid.recordChange({CellBlock::run(at, cells.size())});
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (cells[i] == ANY_BYTE)
            grid.emptyByte(at + i);
        else
            grid.setByte(at + i, std::uint8_t(cells[i]));
    }
    wxString result = uiText(texts::NOTE_PASTED) + count(cells.size());
    if (cells.size() < total)
        result += uiText(texts::NOTE_PASTE_CUT_OF) + count(total) + uiText(texts::NOTE_PASTE_CUT_REST);
    note(result);
}
