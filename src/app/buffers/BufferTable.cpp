#include "app/buffers/BufferTable.h"

#include <utility>

#include "app/UiText.h"
#include "store/CellRules.h"

namespace {

std::size_t byteIndex(int row, int col) { return std::size_t(row) * BYTES_PER_ROW + std::size_t(col); }

} // namespace

BufferTable::BufferTable(ByteStore cells) : store_(std::move(cells)), redAttr_(new wxGridCellAttr)
{
    redAttr_->SetTextColour(*wxRED);
}

BufferTable::~BufferTable() { redAttr_->DecRef(); }

void BufferTable::growTo(std::size_t capacity)
{
    const int oldRows = GetNumberRows();
    const std::size_t rows = (capacity + BYTES_PER_ROW - 1) / BYTES_PER_ROW;
    if (rows <= std::size_t(oldRows))
        return;
    store_.grow(rows * BYTES_PER_ROW);
    tellGridRows(oldRows);
}

void BufferTable::tellGridRows(int shownRows)
{
    wxGrid* grid = GetView();
    const int rows = GetNumberRows();
    if (!grid || rows == shownRows)
        return;
    if (rows > shownRows) {
        wxGridTableMessage message(this, wxGRIDTABLE_NOTIFY_ROWS_APPENDED, rows - shownRows);
        grid->ProcessTableMessage(message);
    } else {
        wxGridTableMessage message(this, wxGRIDTABLE_NOTIFY_ROWS_DELETED, rows, shownRows - rows);
        grid->ProcessTableMessage(message);
    }
}

int BufferTable::GetNumberRows() { return int(store_.capacity() / BYTES_PER_ROW); }

bool BufferTable::IsEmptyCell(int row, int col)
{
    if (col < SEPARATOR_COL)
        return store_.isHexEmpty(byteIndex(row, col));
    if (col == SEPARATOR_COL)
        return true;
    return store_.charText(byteIndex(row, col - TWIN_OFFSET)).empty();
}

wxString BufferTable::GetValue(int row, int col)
{
    if (col < SEPARATOR_COL)
        return wxString(store_.hexText(byteIndex(row, col)));
    if (col == SEPARATOR_COL)
        return wxString();
    return wxString(store_.charText(byteIndex(row, col - TWIN_OFFSET)));
}

void BufferTable::SetValue(int row, int col, const wxString& value)
{
    if (col < SEPARATOR_COL)
        store_.editHexCell(byteIndex(row, col), value.ToStdWstring());
    else if (col > SEPARATOR_COL && col < GRID_COLS)
        store_.editCharCell(byteIndex(row, col - TWIN_OFFSET), value.ToStdWstring());
}

wxString BufferTable::GetRowLabelValue(int row)
{
    return wxString(addressText((rowLabelBase_ + std::uint32_t(row) * BYTES_PER_ROW) & 0xFFFF));
}

wxString BufferTable::GetColLabelValue(int col)
{
    if (col < SEPARATOR_COL)
        return wxString(byteText(std::uint8_t(col)));
    static const wxString charLabels = uiText(texts::GRID_CHAR_COLUMNS);
    const int letter = col - TWIN_OFFSET;
    if (letter >= 0 && letter < int(charLabels.length()))
        return wxString(charLabels[std::size_t(letter)]);
    return wxString();
}

wxGridCellAttr* BufferTable::GetAttr(int row, int col, wxGridCellAttr::wxAttrKind kind)
{
    // Attributes set through the grid (the separator column, any colour another
    // command sets) live in the base class's provider; the red marks of the
    // store are laid over them only when the grid asks for the cell's look, so
    // SetCellTextColour never edits the shared red attribute.
    wxGridCellAttr* attr = wxGridTableBase::GetAttr(row, col, kind);
    if (kind != wxGridCellAttr::Any || col >= SEPARATOR_COL || !store_.isRed(byteIndex(row, col)))
        return attr;
    if (!attr) {
        redAttr_->IncRef();
        return redAttr_;
    }
    if (attr->HasTextColour())
        return attr;
    wxGridCellAttr* merged = attr->Clone();
    attr->DecRef();
    merged->SetTextColour(*wxRED);
    return merged;
}
