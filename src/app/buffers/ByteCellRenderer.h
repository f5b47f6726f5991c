// How a buffer grid draws its cells. The toolkit's string renderer lays out
// every cell's text with the font engine (and measures it two or three times)
// on every paint: tens of microseconds a cell, so that drawing cells was the
// largest part of a read's work, and a screenful took tens of milliseconds.
// The cells of a buffer show a few hundred different short texts in a handful
// of colours, so this renderer draws each look of a cell once into a picture,
// exactly as the string renderer would, and then copies the picture. Texts it
// does not place itself (wider than their cell, several lines, an alignment
// other than centred) go to the string renderer unchanged.
//
// A selection has the same colours whether the grid has the focus or not.
#pragma once

#include <wx/grid.h>

class ByteCellRenderer : public wxGridCellStringRenderer {
public:
    void Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect, int row, int col,
              bool isSelected) override;
    wxGridCellRenderer* Clone() const override { return new ByteCellRenderer; }

private:
    // A cell whose colours attr holds, selected or not.
    void drawCell(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect, int row, int col);
};
