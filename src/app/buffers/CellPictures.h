// Pictures of grid cells, kept beside the surfaces the grid is painted on. A
// cell's look (text, colours, size) is laid out by the font engine once, into
// a picture of the same kind as the window's surface (on X11, a pixmap on the
// display), and from then on painting it is a copy the display makes by itself.
// Drawn on a surface like the window's, the picture has the window's font
// settings, so its pixels are those the text would get drawn directly.
#pragma once

#include <string>

#include <wx/colour.h>
#include <wx/font.h>
#include <wx/gdicmn.h>

class wxGraphicsContext;

// Everything a cell's pixels depend on but the font.
struct CellLook {
    std::wstring text;
    wxColour textColour;
    wxColour background;
    wxSize size;
};

namespace cellPictures {

// Paints `look` with its top left corner at `where` on `context`: the
// background, then the text centred in the cell less a pixel all round and
// clipped to that area, as the grid's string renderer draws it. Returns false,
// having painted nothing, when the text is wider than that area or the context
// is not one the pictures can be kept for.
bool paint(wxGraphicsContext& context, const wxFont& font, const CellLook& look, wxPoint where);

} // namespace cellPictures
