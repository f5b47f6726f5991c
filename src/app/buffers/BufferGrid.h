// One buffer: a memory image of `byteCount` bytes from `startAddress`, shown
// as 16 hexadecimal cells per row, a narrow separator and 16 character cells
// with the same bytes as characters. Byte k lives in row k / 16, column
// k mod 16; its character twin in column k mod 16 + 17.
//
// Selections are mirrored: a block selected in one half is selected in the
// other half too, so commands that look at the hexadecimal cells also see
// blocks drawn among the characters. Mirroring makes the block and its twin
// the whole selection, so no block selected later, from code or by the user,
// adds to an earlier one; selectRun alone, which mirrors its blocks itself,
// leaves a selection of several blocks.
//
// Each buffer keeps the history of its changes for undo and redo, and knows
// from it whether it differs from what it was read, loaded or saved with. The
// history goes with the page when a read or a load rebuilds its grid.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <wx/grid.h>

#include "app/buffers/BufferTable.h"
#include "store/BufferLimit.h"
#include "store/EditHistory.h"

class BufferBook;

// The two halves of a row: the hexadecimal cells and the character cells.
enum class GridHalf { Hex, Chars };

// The grid sits 3 pixels into its page and is 3 pixels less high than the page.
inline constexpr int GRID_MARGIN = 3;

class BufferGrid : public wxGrid {
public:
    // A grid of the rows `cells` holds (empty cells, made beforehand: see
    // BufferBook::createGrid), on a page of `book` whose area is pageArea.
    BufferGrid(wxWindow* page, wxSize pageArea, BufferBook& book, ByteStore cells);
    ~BufferGrid() override;

    std::uint32_t byteCount = 0;
    std::uint32_t startAddress = 0; // only its low 16 bits are shown
    // The S0 text of the S-record file loaded into this grid, written again
    // when the grid is saved as S-records; empty for any other content.
    std::string imageHeader;

    // Bytes the cells hold: rows × 16, at least byteCount once the fields have
    // handed a count over (see ensureCapacity).
    std::size_t capacity() const { return table_->store().capacity(); }

    // Byte k into its hexadecimal cell and its character twin. Indexes at or
    // past the capacity are ignored, and read 0. The screen follows at the next
    // paint; a long run of writes costs no drawing.
    void setByte(std::size_t k, std::uint8_t v);
    std::uint8_t getByte(std::size_t k) const;
    bool isHexCellEmpty(std::size_t k) const;
    // The hexadecimal cell shows byte k's two digits and nothing else.
    bool isHexCellPlain(std::size_t k) const;
    wxString hexCellText(std::size_t k) const;
    wxString charCellText(std::size_t k) const;

    // Whether the hexadecimal cell of byte k is selected.
    bool isSelected(std::size_t k) const;
    // Makes the hexadecimal cell of byte k and its twin the whole selection.
    void selectOnlyByte(std::size_t k);
    // Shows the hexadecimal cell of byte k in red (until the grid is rebuilt).
    void markRed(std::size_t k);
    bool isRed(std::size_t k) const;
    // Both cells of byte k as a fresh grid has them (never read).
    void emptyByte(std::size_t k);
    const ByteStore& cells() const { return table_->store(); }
    // Lets an engine function fill or mark the cells, then shows what it did.
    void changeBytes(const std::function<void(ByteStore&)>& change);

    // The cursor's byte and half; the separator counts as the hexadecimal
    // half's last cell.
    std::size_t cursorByte() const;
    GridHalf cursorHalf() const;
    // The half of the block the user selected last (the cursor's when nothing
    // is selected), and every selected block cut to a half, as byte blocks.
    GridHalf selectionHalf() const;
    std::vector<CellBlock> selectedCells(GridHalf half) const;
    // The cursor on byte k in `half`, the row scrolled into view, the byte
    // (and its twin) the only selection.
    void goToByte(std::size_t k, GridHalf half);
    // Selects `count` bytes from `first` in both halves, across row ends; the
    // cursor goes on the first of them in `half`.
    void selectRun(std::size_t first, std::size_t count, GridHalf half);

    // Changes go through these, so that they can be undone. recordChange
    // comes before the cells of `blocks` change.
    void recordChange(const std::vector<CellBlock>& blocks);
    // False when there is nothing to undo (redo).
    bool undo();
    bool redo();
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    // Changed since the buffer was created, read, loaded or saved.
    bool isChanged() const { return history_.isChanged(); }
    void markSaved() { history_.markUnchanged(); }
    // Heap bytes the history holds, for the benchmark.
    std::size_t historyBytes() const { return history_.memoryBytes(); }
    // A read or a load replaces this grid by `successor`: the history goes
    // along, with the replacement as a step of its own.
    void handHistoryTo(BufferGrid& successor);

    // Draws the cells of rows first to last again at the next paint. Rows that
    // already wait for that paint cost nothing: an operation that changes a
    // word at a time asks for its row a dozen times between two paints.
    void refreshRows(int first, int last);

    // Makes room for byteCount: a count typed into the count field that is
    // larger than the cells grows the grid with empty rows; the bytes held stay.
    // False, with the cells as they were, when the memory for them is not there.
    bool ensureCapacity();

    // Grows the grid to hold `cells` (empty ones), `step` cells at a time with
    // `between` before each step after the first.
    void growInSteps(std::size_t cells, std::size_t step, const std::function<void()>& between);

    // Row labels from startAddress: 0800, 0810, ..., after FFF0 comes 0000.
    void relabelRows();
    // Writes byteCount and startAddress into the count and start fields and
    // relabels the rows.
    void showBufferInFields();

private:
    void onRangeSelected(wxGridRangeSelectEvent& event);
    void onCellLeftClick(wxGridEvent& event);
    void onCellChanged(wxGridEvent& event);
    void onCellChanging(wxGridEvent& event);
    void onCellRightClick(wxGridEvent& event);
    void onTabbing(wxGridEvent& event);
    void onKeyDown(wxKeyEvent& event);
    // The context menu at `at` (the grid's own coordinates; by default where
    // the pointer is), and the action chosen in it.
    void offerContextMenu(wxPoint at = wxDefaultPosition);
    // The bottom left corner of the cursor's cell in the grid's own
    // coordinates, the cell scrolled into view first.
    wxPoint belowTheCursorsCell();
    void scheduleRepaint();
    using HistoryStep = std::optional<EditHistory::Applied> (EditHistory::*)(ByteStore&, BufferFacts&);
    bool takeHistoryStep(HistoryStep step);
    BufferFacts facts() const;
    // After undo or redo: the rows, the fields and the cells shown follow the content.
    void showUndoneChange(const EditHistory::Applied& applied, int rowsBefore);

    BufferBook& book_;
    BufferTable* table_; // owned by the grid
    EditHistory history_;
    bool repaintScheduled_ = false;
    // The rows refreshed since the cells were last painted (none when first > last).
    int waitingFirst_ = 0;
    int waitingLast_ = -1;

    wxDECLARE_EVENT_TABLE();
};
