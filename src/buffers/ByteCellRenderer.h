// How a buffer grid draws its cells. The toolkit's string renderer measures
// every cell's text with the font engine two or three times per paint, which
// for a screenful of a thousand cells costs most of a repaint. The cells of a
// buffer hold a few hundred different short texts, so this renderer measures
// each text once per font and draws it where the string renderer would put
// it. Texts it does not place itself (wider than their cell, several lines,
// an alignment other than centred) go to the string renderer unchanged.
#pragma once

#include <string>
#include <unordered_map>

#include <wx/font.h>
#include <wx/grid.h>

class ByteCellRenderer : public wxGridCellStringRenderer {
public:
    void Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect, int row, int col,
              bool isSelected) override;
    wxGridCellRenderer* Clone() const override { return new ByteCellRenderer; }

private:
    // The size of `text` in `font`, measured on its first use.
    wxSize extentOf(wxDC& dc, const wxFont& font, const wxString& text);

    wxFont font_; // the font the cached sizes belong to
    std::unordered_map<std::wstring, wxSize> extents_;
};
