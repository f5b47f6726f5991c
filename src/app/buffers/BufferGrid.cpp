#include "app/buffers/BufferGrid.h"

#include <algorithm>
#include <new>
#include <utility>

#include <wx/menu.h>

#include "app/buffers/BufferBook.h"
#include "app/buffers/ByteCellRenderer.h"
#include "app/buffers/GridActions.h"
#include "app/buffers/GridShortcuts.h"
#include "app/buffers/NumberField.h"
#include "store/CellRules.h"

namespace {

constexpr int ROW_LABEL_WIDTH = 42;
constexpr int COL_LABEL_HEIGHT = 20;
constexpr int ROW_HEIGHT = 16;
constexpr int HEX_COL_WIDTH = 21;
constexpr int CHAR_COL_WIDTH = 12;
constexpr int SEPARATOR_WIDTH = 4;
const wxColour CELL_BACKGROUND(182, 182, 219);
const wxColour SEPARATOR_BACKGROUND(131, 129, 238);

// One flag for the whole program: the selection changes that mirroring makes
// raise range events of their own, which must not be mirrored again.
bool mirroringUnderWay = false;

// wxGrid takes every key's release for itself, and Windows opens the menu bar
// on the release of F10 or of a lone Alt: with the focus on the cells, the
// menu bar could not be reached from the keyboard. The releases there are left
// unhandled, to the system. (GTK opens the menu bar on the press.)
class KeyReleasesToTheSystem : public wxEvtHandler {
public:
    bool ProcessEvent(wxEvent& event) override
    {
        return event.GetEventType() != wxEVT_KEY_UP && wxEvtHandler::ProcessEvent(event);
    }
};

wxFont cellFont(wxFontWeight weight) { return wxFont(10, wxFONTFAMILY_MODERN, wxFONTSTYLE_NORMAL, weight); }

} // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(BufferGrid, wxGrid)
    EVT_GRID_RANGE_SELECTING(BufferGrid::onRangeSelected) // while the mouse drags
    EVT_GRID_RANGE_SELECTED(BufferGrid::onRangeSelected)
    EVT_GRID_CELL_LEFT_CLICK(BufferGrid::onCellLeftClick)
    EVT_GRID_CELL_CHANGED(BufferGrid::onCellChanged)
    EVT_GRID_CELL_CHANGING(BufferGrid::onCellChanging)
    EVT_GRID_CELL_RIGHT_CLICK(BufferGrid::onCellRightClick)
    EVT_GRID_TABBING(BufferGrid::onTabbing)
    EVT_KEY_DOWN(BufferGrid::onKeyDown) // before the grid's own keys
wxEND_EVENT_TABLE()
// clang-format on

BufferGrid::BufferGrid(wxWindow* page, wxSize pageArea, BufferBook& book, ByteStore cells)
    // wxWANTS_CHARS stays: on GTK the grid's own keys (arrows, Enter, Tab) need it.
    : wxGrid(page, 0, wxPoint(GRID_MARGIN, GRID_MARGIN),
             wxSize(pageArea.x, std::max(pageArea.y - GRID_MARGIN, 1)),
             wxWANTS_CHARS | wxBORDER_STATIC, "Notebook"),
      book_(book),
      table_(new BufferTable(std::move(cells)))
{
    SetRowLabelSize(ROW_LABEL_WIDTH);
    SetColLabelSize(COL_LABEL_HEIGHT);
    SetDefaultRowSize(ROW_HEIGHT);
    SetDefaultColSize(HEX_COL_WIDTH);
    SetDefaultCellAlignment(wxALIGN_CENTRE, wxALIGN_CENTRE);
    SetDefaultCellBackgroundColour(CELL_BACKGROUND);
    SetGridLineColour(*wxWHITE);
    EnableGridLines(false);
    SetDefaultCellFont(cellFont(wxFONTWEIGHT_NORMAL));
    SetTable(table_, true, wxGridSelectCells);
    // Text cells ask the string type for their renderer before the default
    // attribute: the cell renderer replaces the string renderer there.
    RegisterDataType(wxGRID_VALUE_STRING, new ByteCellRenderer, new wxGridCellTextEditor);
    DisableDragGridSize();
    DisableDragColSize();
    DisableDragRowSize();

    // GTK refuses widths under 15 px until told otherwise.
    SetColMinimalAcceptableWidth(SEPARATOR_WIDTH);
    for (int col = SEPARATOR_COL + 1; col < GRID_COLS; ++col)
        SetColSize(col, CHAR_COL_WIDTH);

    auto* separator = new wxGridCellAttr;
    separator->SetTextColour(*wxBLACK);
    separator->SetBackgroundColour(SEPARATOR_BACKGROUND);
    separator->SetFont(cellFont(wxFONTWEIGHT_NORMAL));
    separator->SetAlignment(wxALIGN_LEFT, wxALIGN_TOP);
    separator->SetReadOnly();
    SetColAttr(SEPARATOR_COL, separator);
    SetDefaultCellFont(cellFont(wxFONTWEIGHT_BOLD));
    SetColSize(SEPARATOR_COL, SEPARATOR_WIDTH);

    relabelRows();
    GetGridWindow()->PushEventHandler(new KeyReleasesToTheSystem);
    GetGridWindow()->Bind(wxEVT_PAINT, [this](wxPaintEvent& event) {
        waitingFirst_ = 0;
        waitingLast_ = -1;
        event.Skip(); // the grid paints
    });
}

BufferGrid::~BufferGrid() { GetGridWindow()->PopEventHandler(true); }

void BufferGrid::refreshRows(int first, int last)
{
    if (waitingFirst_ <= first && last <= waitingLast_)
        return;
    RefreshBlock(first, 0, last, GetNumberCols() - 1);
    if (waitingFirst_ > waitingLast_) {
        waitingFirst_ = first;
        waitingLast_ = last;
    } else {
        waitingFirst_ = std::min(waitingFirst_, first);
        waitingLast_ = std::max(waitingLast_, last);
    }
}

void BufferGrid::setByte(std::size_t k, std::uint8_t v)
{
    if (k >= capacity())
        return;
    table_->store().setByte(k, v);
    scheduleRepaint();
}

std::uint8_t BufferGrid::getByte(std::size_t k) const { return table_->store().getByte(k); }

bool BufferGrid::isHexCellEmpty(std::size_t k) const { return table_->store().isHexEmpty(k); }

bool BufferGrid::isHexCellPlain(std::size_t k) const { return table_->store().isHexPlain(k); }

wxString BufferGrid::hexCellText(std::size_t k) const { return wxString(table_->store().hexText(k)); }

wxString BufferGrid::charCellText(std::size_t k) const { return wxString(table_->store().charText(k)); }

bool BufferGrid::isSelected(std::size_t k) const
{
    return k < capacity() && IsInSelection(int(k / BYTES_PER_ROW), int(k % BYTES_PER_ROW));
}

void BufferGrid::selectOnlyByte(std::size_t k)
{
    if (k >= capacity())
        return;
    const int row = int(k / BYTES_PER_ROW);
    const int col = int(k % BYTES_PER_ROW);
    // Not added: the cell replaces the whole selection, and mirroring
    // (onRangeSelected) adds its twin.
    SelectBlock(row, col, row, col, false);
}

void BufferGrid::markRed(std::size_t k)
{
    if (k >= capacity())
        return;
    table_->store().markRed(k);
    RefreshAttr(int(k / BYTES_PER_ROW), int(k % BYTES_PER_ROW));
    scheduleRepaint();
}

bool BufferGrid::isRed(std::size_t k) const { return table_->store().isRed(k); }

void BufferGrid::changeBytes(const std::function<void(ByteStore&)>& change)
{
    change(table_->store());
    ClearAttrCache(); // red cells are attributes: the grid must ask for them again
    scheduleRepaint();
}

void BufferGrid::emptyByte(std::size_t k)
{
    if (k >= capacity())
        return;
    table_->store().emptyCell(k);
    scheduleRepaint();
}

std::size_t BufferGrid::cursorByte() const
{
    const int row = std::max(GetGridCursorRow(), 0);
    const int col = std::max(GetGridCursorCol(), 0);
    int inRow = col - TWIN_OFFSET;
    if (col < SEPARATOR_COL)
        inRow = col;
    else if (col == SEPARATOR_COL)
        inRow = BYTES_PER_ROW - 1;
    return std::size_t(row) * BYTES_PER_ROW + std::size_t(inRow);
}

GridHalf BufferGrid::cursorHalf() const { return GetGridCursorCol() > SEPARATOR_COL ? GridHalf::Chars : GridHalf::Hex; }

GridHalf BufferGrid::selectionHalf() const
{
    // Mirroring adds the twin first and the user's block last.
    GridHalf half = cursorHalf();
    for (const wxGridBlockCoords& block : GetSelectedBlocks()) {
        const bool amongCharacters = block.GetLeftCol() >= SEPARATOR_COL && block.GetRightCol() > SEPARATOR_COL;
        half = amongCharacters ? GridHalf::Chars : GridHalf::Hex;
    }
    return half;
}

std::vector<CellBlock> BufferGrid::selectedCells(GridHalf half) const
{
    std::vector<CellBlock> blocks;
    for (const wxGridBlockCoords& block : GetSelectedBlocks()) {
        int left = block.GetLeftCol();
        int right = block.GetRightCol();
        if (half == GridHalf::Hex) {
            right = std::min(right, BYTES_PER_ROW - 1);
        } else {
            left = std::max(left, TWIN_OFFSET) - TWIN_OFFSET;
            right -= TWIN_OFFSET;
        }
        if (left > right)
            continue;
        const std::size_t first = std::size_t(block.GetTopRow()) * BYTES_PER_ROW + std::size_t(left);
        blocks.push_back({first, std::size_t(right - left + 1), std::size_t(block.GetBottomRow() - block.GetTopRow() + 1)});
    }
    return blocks;
}

void BufferGrid::goToByte(std::size_t k, GridHalf half)
{
    if (k >= capacity())
        return;
    const int row = int(k / BYTES_PER_ROW);
    const int col = int(k % BYTES_PER_ROW) + (half == GridHalf::Chars ? TWIN_OFFSET : 0);
    GoToCell(row, col);
    SelectBlock(row, col, row, col, false);
}

void BufferGrid::selectRun(std::size_t first, std::size_t count, GridHalf half)
{
    if (count == 0 || first >= capacity())
        return;
    const std::size_t last = std::min(first + count, capacity()) - 1;
    const int shift = half == GridHalf::Chars ? TWIN_OFFSET : 0;
    const int twinShift = TWIN_OFFSET - shift;
    GoToCell(int(first / BYTES_PER_ROW), int(first % BYTES_PER_ROW) + shift);
    // A run across row ends is up to three blocks in each half (the first
    // row's end, whole rows, the last row's start): mirroring would keep only
    // one, so the twins are added here, the block of `half` after its twin.
    const auto select = [this, shift, twinShift](int top, int left, int bottom, int right) {
        SelectBlock(top, left + twinShift, bottom, right + twinShift, true);
        SelectBlock(top, left + shift, bottom, right + shift, true);
    };
    mirroringUnderWay = true;
    ClearSelection();
    const int firstRow = int(first / BYTES_PER_ROW);
    const int lastRow = int(last / BYTES_PER_ROW);
    const int firstCol = int(first % BYTES_PER_ROW);
    const int lastCol = int(last % BYTES_PER_ROW);
    if (firstRow == lastRow) {
        select(firstRow, firstCol, firstRow, lastCol);
    } else {
        select(firstRow, firstCol, firstRow, BYTES_PER_ROW - 1);
        if (lastRow - firstRow > 1)
            select(firstRow + 1, 0, lastRow - 1, BYTES_PER_ROW - 1);
        select(lastRow, 0, lastRow, lastCol);
    }
    mirroringUnderWay = false;
}

void BufferGrid::recordChange(const std::vector<CellBlock>& blocks) { history_.recordCells(table_->store(), blocks); }

bool BufferGrid::undo() { return takeHistoryStep(&EditHistory::undo); }

bool BufferGrid::redo() { return takeHistoryStep(&EditHistory::redo); }

bool BufferGrid::takeHistoryStep(HistoryStep step)
{
    const int rowsBefore = GetNumberRows();
    BufferFacts facts = this->facts();
    const auto applied = (history_.*step)(table_->store(), facts);
    if (applied) {
        byteCount = facts.byteCount;
        startAddress = facts.startAddress;
        imageHeader = facts.imageHeader;
        showUndoneChange(*applied, rowsBefore);
    }
    return bool(applied);
}

BufferFacts BufferGrid::facts() const { return {byteCount, startAddress, imageHeader}; }

void BufferGrid::showUndoneChange(const EditHistory::Applied& applied, int rowsBefore)
{
    if (applied.wholeContent) {
        // A read's or a load's content: another size and start, perhaps.
        ClearSelection();
        if (GetGridCursorRow() >= GetTable()->GetNumberRows())
            SetGridCursor(0, std::max(GetGridCursorCol(), 0));
        table_->tellGridRows(rowsBefore);
        showBufferInFields();
        ForceRefresh();
        return;
    }
    std::size_t first = SIZE_MAX;
    for (const CellBlock& block : applied.blocks)
        first = std::min(first, block.first);
    if (first < capacity())
        MakeCellVisible(int(first / BYTES_PER_ROW), int(first % BYTES_PER_ROW));
    scheduleRepaint();
}

void BufferGrid::handHistoryTo(BufferGrid& successor)
{
    history_.recordReplacement(table_->store(), facts());
    successor.history_ = std::move(history_);
    successor.history_.markUnchanged(); // what was just read or loaded
}

bool BufferGrid::ensureCapacity()
{
    try {
        table_->growTo(byteCount);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void BufferGrid::growInSteps(std::size_t cells, std::size_t step, const std::function<void()>& between)
{
    table_->store().reserve(cells);
    for (std::size_t held = capacity(); held < cells;) {
        if (between)
            between();
        held = std::min(cells, held + step);
        table_->growTo(held);
    }
}

void BufferGrid::relabelRows()
{
    table_->setRowLabelBase(startAddress & 0xFFFF);
    if (wxWindow* labels = GetGridRowLabelWindow())
        labels->Refresh();
}

void BufferGrid::showBufferInFields()
{
    NumberField* startField = book_.startField;
    NumberField* countField = book_.countField;
    if (!startField || !countField || book_.currentBuffer != this)
        return;
    const std::uint32_t start = startAddress;
    const std::uint32_t count = byteCount;
    // Each field's change hands both fields to this grid, and the start field
    // still shows the buffer shown before: restore the start before writing it.
    countField->SetValue(wxString::Format("%u", unsigned(count)));
    startAddress = start;
    startField->SetValue(wxString(addressText(start & 0xFFFF)));
    byteCount = count;
    startAddress = start;
    relabelRows();
}

void BufferGrid::scheduleRepaint()
{
    // One refresh for a whole run of writes, once the operation is over; the
    // immediate Refresh lets the yield at the gauge's start paint as well.
    // Only the cells change: the labels and the corner are not drawn again.
    if (repaintScheduled_)
        return;
    repaintScheduled_ = true;
    const auto refreshCells = [this] {
        if (wxWindow* cells = GetGridWindow())
            cells->Refresh(false);
    };
    refreshCells();
    CallAfter([this, refreshCells] {
        repaintScheduled_ = false;
        refreshCells();
    });
}

void BufferGrid::onRangeSelected(wxGridRangeSelectEvent& event)
{
    event.Skip();
    // Only selections are mirrored: mirroring a deselection would select again
    // the cells the user has just deselected.
    if (!event.Selecting() || mirroringUnderWay)
        return;
    mirroringUnderWay = true;
    const int top = event.GetTopRow();
    const int bottom = event.GetBottomRow();
    const int left = event.GetLeftCol();
    const int right = event.GetRightCol();
    if (left < SEPARATOR_COL && right > SEPARATOR_COL) {
        // A block dragged from one half into the other stays as drawn, without
        // the twin an earlier moment of the same drag may have added.
        const wxGridBlocks blocks = GetSelectedBlocks();
        auto block = blocks.begin();
        const bool severalBlocks = block != blocks.end() && ++block != blocks.end();
        if (severalBlocks)
            SelectBlock(top, left, bottom, right, false);
    } else {
        // The twin of a block that touches the separator would reach column -1
        // or 33: it is cut to the grid's columns, and skipped when nothing is
        // left. The user's block goes in last: a drag in progress goes on
        // extending the last block of the selection.
        const int shift = left < SEPARATOR_COL ? TWIN_OFFSET : -TWIN_OFFSET;
        const int twinLeft = std::max(left + shift, 0);
        const int twinRight = std::min(right + shift, GRID_COLS - 1);
        const bool hasTwin = twinLeft <= twinRight;
        if (hasTwin)
            SelectBlock(top, twinLeft, bottom, twinRight, false);
        SelectBlock(top, left, bottom, right, hasTwin);
    }
    mirroringUnderWay = false;
}

void BufferGrid::onCellLeftClick(wxGridEvent& event)
{
    // Consumed: exactly the clicked cell (and, through mirroring, its twin).
    SetGridCursor(event.GetRow(), event.GetCol());
    SelectBlock(event.GetRow(), event.GetCol(), event.GetRow(), event.GetCol(), false);
}

void BufferGrid::onCellChanging(wxGridEvent& event)
{
    // The cell still holds its old text: the step keeps it for undo.
    event.Skip();
    const int col = event.GetCol();
    if (col == SEPARATOR_COL)
        return;
    const int inRow = col < SEPARATOR_COL ? col : col - TWIN_OFFSET;
    recordChange({CellBlock::run(std::size_t(event.GetRow()) * BYTES_PER_ROW + std::size_t(inRow), 1)});
}

void BufferGrid::onCellRightClick(wxGridEvent& event)
{
    // A click outside the selection selects the clicked cell first, as a left click does.
    const int row = event.GetRow();
    const int col = event.GetCol();
    if (!IsInSelection(row, col)) {
        SetGridCursor(row, col);
        SelectBlock(row, col, row, col, false);
    }
    offerContextMenu();
}

void BufferGrid::offerContextMenu(wxPoint at)
{
    GridActions& actions = book_.gridActions();
    const auto menu = gridContextMenu([&](GridAction action) { return actions.isAvailable(action, *this); });
    if (const auto action = actionOfMenuItem(GetPopupMenuSelectionFromUser(*menu, at)))
        actions.run(*action, *this);
}

void BufferGrid::onTabbing(wxGridEvent& event)
{
    // Tab goes on in its half, row after row, and never lands on the
    // separator; the first and last cells keep the cursor.
    const int row = GetGridCursorRow();
    const int col = GetGridCursorCol();
    if (row < 0 || col < 0) {
        event.Skip();
        return;
    }
    const int first = col > SEPARATOR_COL ? TWIN_OFFSET : 0;
    const int last = first + BYTES_PER_ROW - 1;
    int nextRow = row;
    int nextCol = std::min(col, last) + (event.ShiftDown() ? -1 : 1);
    if (nextCol < first) {
        --nextRow;
        nextCol = last;
    } else if (nextCol > last) {
        ++nextRow;
        nextCol = first;
    }
    if (nextRow < 0 || nextRow >= GetNumberRows())
        return;
    ClearSelection();
    GoToCell(nextRow, nextCol);
}

void BufferGrid::onKeyDown(wxKeyEvent& event)
{
    if (opensContextMenu(event) && GetGridCursorRow() >= 0) {
        // From the keyboard the menu opens where the user is looking; the
        // pointer may be anywhere.
        offerContextMenu(belowTheCursorsCell());
        return;
    }
    const auto action = actionForKey(event);
    if (!action) {
        event.Skip(); // the grid's own keys
        return;
    }
    book_.gridActions().run(*action, *this);
}

wxPoint BufferGrid::belowTheCursorsCell()
{
    const int row = GetGridCursorRow();
    const int col = GetGridCursorCol();
    MakeCellVisible(row, col);
    const wxPoint onCells = CalcScrolledPosition(CellToRect(row, col).GetBottomLeft());
    return ScreenToClient(GetGridWindow()->ClientToScreen(onCells));
}

void BufferGrid::onCellChanged(wxGridEvent& event)
{
    // The table has applied the editing rule already; the twin still shows its
    // old text on screen.
    const int row = event.GetRow();
    const int col = event.GetCol();
    const int twin = col < SEPARATOR_COL ? col + TWIN_OFFSET : col - TWIN_OFFSET;
    if (twin >= 0 && twin < GRID_COLS)
        RefreshBlock(row, std::min(col, twin), row, std::max(col, twin));
    event.Skip();
}
