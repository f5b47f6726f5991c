// The data behind a buffer grid: a virtual grid table over a ByteStore, so
// that a grid of a megabyte costs a few megabytes instead of two million cell
// strings. 33 columns: 16 hexadecimal cells, the separator, 16 character cells.
#pragma once

#include <cstdint>

#include <wx/grid.h>

#include "store/ByteStore.h"

// A row of the grid is a row of its byte store.
inline constexpr int BYTES_PER_ROW = int(CellBlock::ROW_STRIDE);
inline constexpr int SEPARATOR_COL = BYTES_PER_ROW; // right after the hexadecimal cells
inline constexpr int TWIN_OFFSET = BYTES_PER_ROW + 1; // character twin column = hexadecimal column + 17
inline constexpr int GRID_COLS = 2 * BYTES_PER_ROW + 1;

class BufferTable : public wxGridTableBase {
public:
    // The cells: a store made beforehand, so that running out of memory for
    // them happens before any window exists.
    explicit BufferTable(ByteStore cells);
    ~BufferTable() override;

    ByteStore& store() { return store_; }
    const ByteStore& store() const { return store_; }

    // Adds empty rows (telling the grid) until the table holds `capacity` bytes.
    void growTo(std::size_t capacity);
    // The store was given another capacity: the grid, which showed
    // `shownRows`, is told of the rows added or gone.
    void tellGridRows(int shownRows);

    // Row r is labelled (base + 16 r) mod 65536.
    void setRowLabelBase(std::uint32_t base) { rowLabelBase_ = base; }

    int GetNumberRows() override;
    int GetNumberCols() override { return GRID_COLS; }
    bool IsEmptyCell(int row, int col) override;
    wxString GetValue(int row, int col) override;
    // Applies the editing rule of the cell's half, so an edit and a program's
    // SetCellValue end the same way.
    void SetValue(int row, int col, const wxString& value) override;
    wxString GetRowLabelValue(int row) override;
    wxString GetColLabelValue(int col) override;
    wxGridCellAttr* GetAttr(int row, int col, wxGridCellAttr::wxAttrKind kind) override;

private:
    ByteStore store_;
    std::uint32_t rowLabelBase_ = 0;
    wxGridCellAttr* redAttr_; // shared by every red cell
};
