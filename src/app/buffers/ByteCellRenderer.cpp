#include "app/buffers/ByteCellRenderer.h"

#include <wx/dc.h>
#include <wx/graphics.h>
#include <wx/settings.h>

#include "app/buffers/CellPictures.h"

namespace {

// The look the string renderer gives a cell: its background and text colours
// (which depend on the selection, the focus and the grid being enabled).
CellLook lookOf(const wxGrid& grid, const wxGridCellAttr& attr, bool isSelected, const wxString& text, wxSize size)
{
    CellLook look{text.ToStdWstring(), attr.GetTextColour(), attr.GetBackgroundColour(), size};
    if (!grid.IsThisEnabled()) {
        look.textColour = wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT);
        look.background = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    } else if (isSelected) {
        look.textColour = grid.GetSelectionForeground();
        look.background =
            grid.HasFocus() ? grid.GetSelectionBackground() : wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW);
    }
    return look;
}

} // namespace

void ByteCellRenderer::Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect, int row, int col,
                            bool isSelected)
{
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
                                             lookOf(grid, attr, isSelected, text, rect.GetSize()), rect.GetPosition());
    if (!painted)
        wxGridCellStringRenderer::Draw(grid, attr, dc, rect, row, col, isSelected);
}
