#include "app/buffers/ByteCellRenderer.h"

#include <wx/dc.h>
#include <wx/graphics.h>
#include <wx/settings.h>

#include "app/buffers/CellPictures.h"

namespace {

// The look the string renderer gives a cell that is not selected: its
// background and text colours (which depend on the grid being enabled).
CellLook lookOf(const wxGrid& grid, const wxGridCellAttr& attr, const wxString& text, wxSize size)
{
    CellLook look{text.ToStdWstring(), attr.GetTextColour(), attr.GetBackgroundColour(), size};
    if (!grid.IsThisEnabled()) {
        look.textColour = wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT);
        look.background = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    }
    return look;
}

// The toolkit's renderers draw a selection grey when the grid has no focus,
// which after "Wypełnij" (the button has the focus then) is hard to read. They
// get a cell that is not selected but has the selection's colours instead.
wxGridCellAttr* selectionColoured(const wxGrid& grid, const wxGridCellAttr& attr)
{
    wxGridCellAttr* coloured = attr.Clone();
    coloured->SetTextColour(grid.GetSelectionForeground());
    coloured->SetBackgroundColour(grid.GetSelectionBackground());
    return coloured;
}

} // namespace

void ByteCellRenderer::Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect, int row, int col,
                            bool isSelected)
{
    if (isSelected && grid.IsThisEnabled()) {
        wxGridCellAttr* coloured = selectionColoured(grid, attr);
        drawCell(grid, *coloured, dc, rect, row, col);
        coloured->DecRef();
        return;
    }
    drawCell(grid, attr, dc, rect, row, col);
}

void ByteCellRenderer::drawCell(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect, int row, int col)
{
    const bool isSelected = false; // a selection is in attr's colours
    const wxString text = grid.GetCellValue(row, col);
    if (text.empty()) {
        wxGridCellRenderer::Draw(grid, attr, dc, rect, row, col, isSelected); // the background alone
        return;
    }
    int hAlign = 0, vAlign = 0;
    attr.GetAlignment(&hAlign, &vAlign);
    wxGraphicsContext* context = dc.GetGraphicsContext();
    const bool painted = context && hAlign == wxALIGN_CENTRE && vAlign == wxALIGN_CENTRE &&
                         text.find('\n') == wxString::npos &&
                         cellPictures::paint(*context, attr.GetFont(),
                                             lookOf(grid, attr, text, rect.GetSize()), rect.GetPosition());
    if (!painted)
        wxGridCellStringRenderer::Draw(grid, attr, dc, rect, row, col, isSelected);
}
