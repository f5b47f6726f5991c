#include "buffers/ByteCellRenderer.h"

#include <wx/dc.h>
#include <wx/graphics.h>

namespace {

// Typed texts are kept as typed, so the set of texts is open: the cache starts
// over rather than grow without bound.
constexpr std::size_t kMaxCachedTexts = 4096;

} // namespace

void ByteCellRenderer::Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rectCell, int row,
                            int col, bool isSelected)
{
    const wxString text = grid.GetCellValue(row, col);
    if (text.empty()) {
        wxGridCellRenderer::Draw(grid, attr, dc, rectCell, row, col, isSelected); // the background alone
        return;
    }
    int hAlign = 0, vAlign = 0;
    attr.GetAlignment(&hAlign, &vAlign);
    // The text area the string renderer uses: the cell less a pixel all round.
    wxRect rect = rectCell;
    rect.Inflate(-1);
    const wxSize extent = extentOf(dc, attr.GetFont(), text);
    // A text taller than the area is fine: it is clipped as the string renderer clips it.
    const bool placedHere = hAlign == wxALIGN_CENTRE && vAlign == wxALIGN_CENTRE && extent.x <= rect.width &&
                            text.find('\n') == wxString::npos;
    if (!placedHere) {
        wxGridCellStringRenderer::Draw(grid, attr, dc, rectCell, row, col, isSelected);
        return;
    }
    wxGridCellRenderer::Draw(grid, attr, dc, rectCell, row, col, isSelected);
    SetTextColoursAndFont(grid, attr, dc, isSelected);
    // The string renderer's arithmetic and clipping (descenders reach below the
    // area), so that every glyph lands on the same pixels.
    wxDCClipper clip(dc, rect);
    const int x = rect.x + (rect.width - extent.x) / 2;
    const int y = rect.y + (rect.height - extent.y) / 2;
    // A DC over a graphics context measures every text it draws, only to keep
    // its bounding box, which nothing here reads: the context draws it alone,
    // as the DC would with a transparent text background.
    wxGraphicsContext* context = dc.GetGraphicsContext();
    if (context && dc.GetBackgroundMode() == wxBRUSHSTYLE_TRANSPARENT)
        context->DrawText(text, x, y);
    else
        dc.DrawText(text, x, y);
}

wxSize ByteCellRenderer::extentOf(wxDC& dc, const wxFont& font, const wxString& text)
{
    if (font != font_ || extents_.size() >= kMaxCachedTexts) {
        extents_.clear();
        font_ = font;
    }
    const auto [entry, added] = extents_.try_emplace(text.ToStdWstring());
    if (added) {
        dc.SetFont(font);
        entry->second = dc.GetTextExtent(text);
    }
    return entry->second;
}
