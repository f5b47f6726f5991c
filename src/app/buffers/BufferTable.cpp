#include "app/buffers/BufferTable.h"

#include <utility>

#include "app/UiText.h"
#include "store/CellRules.h"

namespace {

std::size_t byteIndex(int row, int col) { return std::size_t(row) * kBytesPerRow + std::size_t(col); }

} // namespace

BufferTable::BufferTable(ByteStore cells) : store_(std::move(cells)), redAttr_(new wxGridCellAttr)
{
    redAttr_->SetTextColour(*wxRED);
}

BufferTable::~BufferTable() { redAttr_->DecRef(); }

void BufferTable::growTo(std::size_t capacity)
{
    const int oldRows = GetNumberRows();
    const std::size_t rows = (capacity + kBytesPerRow - 1) / kBytesPerRow;
    if (rows <= std::size_t(oldRows))
        return;
    store_.grow(rows * kBytesPerRow);
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

int BufferTable::GetNumberRows() { return int(store_.capacity() / kBytesPerRow); }

bool BufferTable::IsEmptyCell(int row, int col)
{
    if (col < kSeparatorCol)
        return store_.isHexEmpty(byteIndex(row, col));
    if (col == kSeparatorCol)
        return true;
    return store_.charText(byteIndex(row, col - kTwinOffset)).empty();
}

wxString BufferTable::GetValue(int row, int col)
{
    if (col < kSeparatorCol)
        return wxString(store_.hexText(byteIndex(row, col)));
    if (col == kSeparatorCol)
        return wxString();
    return wxString(store_.charText(byteIndex(row, col - kTwinOffset)));
}

void BufferTable::SetValue(int row, int col, const wxString& value)
{
    if (col < kSeparatorCol)
        store_.editHexCell(byteIndex(row, col), value.ToStdWstring());
    else if (col > kSeparatorCol && col < kGridCols)
        store_.editCharCell(byteIndex(row, col - kTwinOffset), value.ToStdWstring());
}

wxString BufferTable::GetRowLabelValue(int row)
{
    return wxString(addressText((rowLabelBase_ + std::uint32_t(row) * kBytesPerRow) & 0xFFFF));
}

wxString BufferTable::GetColLabelValue(int col)
{
    if (col < kSeparatorCol)
        return wxString(byteText(std::uint8_t(col)));
    static const wxString charLabels = uiText(texts::GRID_CHAR_COLUMNS);
    const int letter = col - kTwinOffset;
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
    if (kind != wxGridCellAttr::Any || col >= kSeparatorCol || !store_.isRed(byteIndex(row, col)))
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
